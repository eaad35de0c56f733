#include "layer/core/number_routines.h"

#include <climits>
#include <cmath>
#include <cstdint>

namespace layer {
namespace {

bool IsDigit(char byte) {
    return byte >= '0' && byte <= '9';
}

}  // namespace

int AbsInt(int value) {
    return value < 0 ? static_cast<int>(0u - static_cast<unsigned>(value)) : value;
}

float AbsFloat(float value) {
    return std::fabs(value);
}

int FloatToInt(float value) {
    return DoubleToInt(value);
}

int DoubleToInt(double value) {
    if (!(value > -2147483649.0 && value < 2147483648.0)) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

Rect RectFromDoubles(double left, double top, double right, double bottom) {
    return {DoubleToInt(left), DoubleToInt(top), DoubleToInt(right), DoubleToInt(bottom)};
}

float SqrtFloat(float value) {
    return std::sqrt(value);
}

void SinCos(float angle, float* sine, float* cosine) {
    const double radians = angle;
    *sine = static_cast<float>(std::sin(radians));
    *cosine = static_cast<float>(std::cos(radians));
}

int ParseInt(const char* text) {
    const char* position = text;
    while (*position != '\0' && !IsDigit(*position) && *position != '-') {
        ++position;
    }
    if (*position == '\0') {
        return -1;
    }
    const bool negative = *position == '-';
    if (negative) {
        ++position;
    }
    std::uint32_t value = 0;
    for (int count = 0; count < 32 && IsDigit(*position); ++count, ++position) {
        value = value * 10u + static_cast<std::uint32_t>(*position - '0');
    }
    return static_cast<int>(negative ? 0u - value : value);
}

char* IntToText(int value, char* output, std::size_t capacity, int base) {
    if (base < 2 || base > 36) {
        base = 10;
    }
    // A sign and 32 binary digits at most.
    char reversed[33];
    std::size_t length = 0;
    std::uint32_t magnitude =
        value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    do {
        const std::uint32_t digit = magnitude % static_cast<std::uint32_t>(base);
        reversed[length++] = static_cast<char>(digit < 10 ? '0' + digit : 'a' + digit - 10);
        magnitude /= static_cast<std::uint32_t>(base);
    } while (magnitude != 0);
    if (value < 0) {
        reversed[length++] = '-';
    }
    if (capacity == 0) {
        return output;
    }
    const std::size_t stored = length < capacity ? length : capacity - 1;
    for (std::size_t index = 0; index < stored; ++index) {
        output[index] = reversed[length - 1 - index];
    }
    output[stored] = '\0';
    return output;
}

}  // namespace layer
