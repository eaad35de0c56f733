#pragma once

#include <cstddef>

namespace layer {

// Routines over zero-terminated Shift-JIS byte strings. Those that must not split a
// character step over two-byte characters whole.

// Copies the source up to and including its terminator.
void CopyText(char* destination, const char* source);
// Copies at most n bytes, stopping at the terminator, and always terminates (n + 1 bytes of
// room); n <= 0 gives an empty string.
void CopyTextN(char* destination, const char* source, int n);
// Appends the source behind the destination's terminator.
void AppendText(char* destination, const char* source);
// 0 when the two texts are equal, else 1.
int TextDiffers(const char* a, const char* b);
// 0 when the first n bytes are equal (terminators are compared like any byte), else 1.
int LeadingBytesDiffer(const char* a, const char* b, std::size_t n);
// The first occurrence of a one-byte character; two-byte characters are skipped whole, so a
// 0x5C second byte is never found. Null when absent.
const char* FindCharInText(const char* text, char byte);
char* FindCharInText(char* text, char byte);
// Turns a-z into A-Z in place; two-byte characters are left as they are.
void UpperCaseText(char* text);

}  // namespace layer
