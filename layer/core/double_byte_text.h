#pragma once

#include <cstddef>

namespace layer {

// Charset indices of the text the layer walks: Shift-JIS (code page 932) and Hangul (949).
constexpr int kShiftJisCharset = 1;
constexpr int kHangulCharset = 2;

// 1 when the byte begins a two-byte character, else 0: every byte from 0x80 up for Hangul,
// the Shift-JIS lead bytes 0x81-0x9F and 0xE0-0xFC for any other charset. Every walker over
// game text steps with this rule, so that a second byte such as 0x5C is never taken alone.
int IsDoubleByteLead(unsigned char byte, int charset);

// The longest prefix of the first `length` bytes of Shift-JIS text that ends on a character
// boundary: a lead byte whose second byte lies beyond `length` is left out.
std::size_t TrimToCharBoundary(const char* text, std::size_t length);

}  // namespace layer
