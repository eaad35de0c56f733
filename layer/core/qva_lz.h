#pragma once

#include <cstddef>
#include <cstdint>

namespace layer {

// An LZ block: decoded size (4 bytes), size of the whole block (4), escape byte E (1), then
// tokens. A byte other than E is itself; E E is one byte E; E C [X] D.. copies (C > E: C - 1,
// else C) >> 3 + 4 bytes (bit 2: X adds bits 5 and up of the length) from distance D + 1
// back, D taking 1, 2 or 3 bytes by the low two bits.

// The most output one token byte can give: a 4-byte copy token of the longest length.
constexpr std::uint64_t kQvaLzMaxExpansion = 2049;

// Decodes a block of which `available` bytes are at hand into exactly `output_size` bytes.
// Returns `output_size`, or -1 when the block is damaged: a size field that disagrees, a token
// cut off, a distance field size of 3, a copy from before the start or past the end of the
// output, or fewer bytes than the output size. Reads and writes only inside both buffers.
std::int64_t DecodeQvaLz(const std::uint8_t* block, std::size_t available, std::uint8_t* output,
                         std::size_t output_size);

}  // namespace layer
