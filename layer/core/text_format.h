#pragma once

#include <cstdarg>
#include <cstddef>

namespace layer {

// Formats like the C library's printf into a buffer of `capacity` bytes. A result that does
// not fit is cut at the last whole Shift-JIS character, so that no lead byte is left without
// its second byte; the buffer is always terminated when capacity > 0.
// Returns 0.
int FormatText(char* buffer, std::size_t capacity, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
// The same with an argument list; returns the number of bytes stored, or -1 when the format
// itself fails (the buffer is then empty).
int FormatTextV(char* buffer, std::size_t capacity, const char* format, va_list arguments)
    __attribute__((format(printf, 3, 0)));

}  // namespace layer
