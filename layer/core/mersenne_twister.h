#pragma once

#include <array>
#include <cstdint>

namespace layer {

// The layer's MT19937 generator: its state, the block of tempered output words made from
// it, and the index of the next word. The MMX flag only records which refill the processor
// would take; both give the same words.
struct MersenneTwister {
    static constexpr int kWords = 624;
    std::array<std::uint32_t, kWords> state{};
    std::array<std::uint32_t, kWords> output{};
    int index = 0;
    bool uses_mmx = false;
};

extern MersenneTwister mersenne_twister;

// Seeds the layer's generator the way the first published MT19937 code did (the 69069
// linear congruential fill) and makes the first block of output words.
void SeedMersenneTwister(std::uint32_t seed);
// Advances the state by one block with the standard recurrence and writes its tempered words
// to `output`; the index goes back to 0.
void RefillMersenneTwister(MersenneTwister& generator);

}  // namespace layer
