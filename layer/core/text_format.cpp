#include "layer/core/text_format.h"

#include <cstdio>

#include "layer/core/double_byte_text.h"

namespace layer {

int FormatText(char* buffer, std::size_t capacity, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    FormatTextV(buffer, capacity, format, arguments);
    va_end(arguments);
    return 0;
}

int FormatTextV(char* buffer, std::size_t capacity, const char* format, va_list arguments) {
    if (capacity == 0) {
        return 0;
    }
    const int wanted = std::vsnprintf(buffer, capacity, format, arguments);
    if (wanted < 0) {
        buffer[0] = '\0';
        return -1;
    }
    if (static_cast<std::size_t>(wanted) < capacity) {
        return wanted;
    }
    const std::size_t stored = TrimToCharBoundary(buffer, capacity - 1);
    buffer[stored] = '\0';
    return static_cast<int>(stored);
}

}  // namespace layer
