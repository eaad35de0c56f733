#pragma once

#include <cstdint>

namespace layer {

// Lookup tables of the software blits. Process-wide, zero until BuildBlendTables (and, for
// the weight table, BuildBlendGraphWeightTable) fills them.

// [a * 256 + b] = a * b / 255, truncated.
extern std::int32_t BlendProduct[256 * 256];
// [p * 512 + j] = p * (j - 256) / 255, truncated toward zero, for j in 1..511; [p * 512] is
// never written. Blits index row p at its centre 256 with a signed difference.
extern std::int32_t BlendDifference[256 * 512];
// [j * 4096 + s * 64 + d] = (s * j + d * (63 - j)) / 63, truncated.
extern std::uint8_t BlendMix64[64 * 64 * 64];
// [b] = the blend weight of a blend-image byte b.
extern std::uint8_t BlendWeight[256];

// Fills the product, difference and mix64 tables. Always 0.
int BuildBlendTables();

// Rebuilds the weight table from the blend image's border parameter and border range, both
// 0..255.
void BuildBlendGraphWeightTable(int parameter, int range);

}  // namespace layer
