#include "layer/core/mersenne_twister.h"

namespace layer {
namespace {

constexpr int kShift = 397;
constexpr std::uint32_t kMatrix = 0x9908B0DFu;
constexpr std::uint32_t kUpperMask = 0x80000000u;
constexpr std::uint32_t kLowerMask = 0x7FFFFFFFu;

bool HasMmx() {
#if defined(__x86_64__) || defined(__i386__)
    return __builtin_cpu_supports("mmx");
#else
    return false;
#endif
}

std::uint32_t Twist(std::uint32_t upper, std::uint32_t lower, std::uint32_t far) {
    const std::uint32_t mixed = (upper & kUpperMask) | (lower & kLowerMask);
    return far ^ (mixed >> 1) ^ ((mixed & 1u) != 0 ? kMatrix : 0u);
}

std::uint32_t Temper(std::uint32_t word) {
    word ^= word >> 11;
    word ^= (word << 7) & 0x9D2C5680u;
    word ^= (word << 15) & 0xEFC60000u;
    word ^= word >> 18;
    return word;
}

}  // namespace

MersenneTwister mersenne_twister;

void RefillMersenneTwister(MersenneTwister& generator) {
    auto& state = generator.state;
    constexpr int n = MersenneTwister::kWords;
    for (int i = 0; i < n; ++i) {
        state[i] = Twist(state[i], state[(i + 1) % n], state[(i + kShift) % n]);
        generator.output[i] = Temper(state[i]);
    }
    generator.index = 0;
}

void SeedMersenneTwister(std::uint32_t seed) {
    std::uint32_t x = seed;
    for (std::uint32_t& word : mersenne_twister.state) {
        word = (x & 0xFFFF0000u) | ((x * 69069u + 1u) >> 16);
        x = x * 475559465u + 69070u;
    }
    mersenne_twister.uses_mmx = HasMmx();
    RefillMersenneTwister(mersenne_twister);
}

}  // namespace layer
