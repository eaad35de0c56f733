#include "layer/core/wide_arithmetic.h"

#include <gtest/gtest.h>

namespace layer {
namespace {

TEST(Mul64To128, GivesTheFullProduct) {
    struct Case {
        std::uint64_t a;
        std::uint64_t b;
        Uint128 expected;
    };
    const Case cases[] = {
        {0, 12345, {0, 0}},
        {1u << 31, 1u << 31, {1ull << 62, 0}},
        {1ull << 32, 1ull << 32, {0, 1}},
        {UINT64_MAX, 2, {UINT64_MAX - 1, 1}},
        {UINT64_MAX, UINT64_MAX, {1, UINT64_MAX - 1}},
    };
    for (const Case& c : cases) {
        const Uint128 product = Mul64To128(c.a, c.b);
        EXPECT_EQ(product.low, c.expected.low) << c.a << " * " << c.b;
        EXPECT_EQ(product.high, c.expected.high) << c.a << " * " << c.b;
    }
}

TEST(Div128By64, GivesTheLowQuotientTakenDownward) {
    struct Case {
        Uint128 dividend;
        std::uint64_t divisor;
        std::uint64_t expected;
    };
    const Case cases[] = {
        {{7, 0}, 2, 3},
        {{0, 1}, 2, 1ull << 63},
        {{UINT64_MAX, 0}, 1, UINT64_MAX},
        {{0, 1}, 1, 0},  // the quotient 2^64 keeps its low 64 bits
        {{1, UINT64_MAX - 1}, UINT64_MAX, UINT64_MAX},
        {{5, 0}, 0, UINT64_MAX},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Div128By64(c.dividend, c.divisor), c.expected) << c.divisor;
    }
    // Counter ticks to microseconds, as the microsecond clock scales them.
    EXPECT_EQ(Div128By64(Mul64To128(123456789012u, 1000000u), 3000000000u), 41152263u);
}

}  // namespace
}  // namespace layer
