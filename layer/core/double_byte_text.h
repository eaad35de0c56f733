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

// The walkers below step over Shift-JIS characters from the start of a text of `length` bytes,
// so that a second byte is never taken for a lead; a lead byte at the very end counts as one
// character of one byte.

// The bytes of the first `count` characters.
int CountCharBytes(const char* text, int length, int count);
// The characters needed to cover the first `bytes` bytes.
int CountCharsInBytes(const char* text, int length, int bytes);
// The offset where the character before `offset` begins (0 for an offset of 0 or less).
int CharStartBefore(const char* text, int offset);
// The length of the character at `offset` (1 or 2; 0 at or after the end).
int CharLengthAt(const char* text, int length, int offset);

}  // namespace layer
