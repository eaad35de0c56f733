#include "layer/core/mersenne_twister.h"

#include <gtest/gtest.h>

#include <random>

namespace layer {
namespace {

// The standard recurrence and tempering, checked on the state of the reference seeding with
// 5489, whose published outputs begin 3499211612, 581869302, 3890346734...
TEST(MersenneTwister, RefillGivesThePublishedSequence) {
    MersenneTwister generator;
    generator.state[0] = 5489u;
    for (std::uint32_t i = 1; i < MersenneTwister::kWords; ++i) {
        const std::uint32_t previous = generator.state[i - 1];
        generator.state[i] = 1812433253u * (previous ^ (previous >> 30)) + i;
    }
    RefillMersenneTwister(generator);
    EXPECT_EQ(generator.output[0], 3499211612u);
    EXPECT_EQ(generator.output[1], 581869302u);
    EXPECT_EQ(generator.output[2], 3890346734u);
    EXPECT_EQ(generator.output[3], 3586334585u);
    EXPECT_EQ(generator.output[4], 545404204u);
    EXPECT_EQ(generator.index, 0);

    // Two whole blocks against the library's generator of the same seed.
    std::mt19937 reference(5489u);
    for (int block = 0; block < 2; ++block) {
        for (int i = 0; i < MersenneTwister::kWords; ++i) {
            ASSERT_EQ(generator.output[i], reference()) << block << " " << i;
        }
        RefillMersenneTwister(generator);
    }
}

TEST(SeedMersenneTwister, FillsTheStateWithTheEarlySeeding) {
    struct Case {
        std::uint32_t seed;
        std::uint32_t first_output;
        std::uint32_t last_output;
    };
    // From the first published code: sgenrand(seed), then one block of genrand().
    const Case cases[] = {
        {4357u, 2867219139u, 589403970u},
        {5489u, 3526893021u, 2995721484u},
        {0u, 477480905u, 899856095u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seed);
        SeedMersenneTwister(c.seed);
        EXPECT_EQ(mersenne_twister.index, 0);
        EXPECT_EQ(mersenne_twister.output[0], c.first_output);
        EXPECT_EQ(mersenne_twister.output[MersenneTwister::kWords - 1], c.last_output);
    }
}

}  // namespace
}  // namespace layer
