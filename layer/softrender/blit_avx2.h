#pragma once

// Row loops on eight 32-bit pixels at a time, for processors with AVX2. Each returns how many
// leading pixels it drew, a multiple of eight; 0 where the processor or the compiler lacks
// AVX2, and the four-pixel loops and the scalar loops of the same rule draw the rest.

#include <cstdint>

namespace layer::blit {

// Turns the eight-pixel loops on (where the processor has AVX2) or off, so that one machine
// can check both routes; they start on where available. Returns whether they are now on.
bool UseAvx2Loops(bool wanted);

// Each channel Mix(d, s; p); X kept.
int MixRow32Avx2(std::uint8_t* dst, const std::uint8_t* src, int count, int p);
// T from t = P(p, s) per channel (X 0), then PackedAdd32 with low-bit restore.
int AddProductRow32Avx2(std::uint8_t* dst, const std::uint8_t* src, int count, int p);
// Halve32 of each pixel pair.
int HalveRow32Avx2(std::uint8_t* dst, const std::uint8_t* src, int count);
// PackedAdd32 of the raw source, no restore.
int PackedAddRow32Avx2(std::uint8_t* dst, const std::uint8_t* src, int count);
// Every byte, X included, added or subtracted with saturation.
int SaturatingAddRow32Avx2(std::uint8_t* dst, const std::uint8_t* src, int count);
int SaturatingSubRow32Avx2(std::uint8_t* dst, const std::uint8_t* src, int count);

}  // namespace layer::blit
