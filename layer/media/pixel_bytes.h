#pragma once

#include <cstdint>
#include <cstring>

namespace layer {

// A pixel value of 1 to 4 bytes, little-endian in memory (a 3-byte pixel is a 24-bit value).
inline std::uint32_t LoadPixelValue(const std::uint8_t* at, int bytes_per_pixel) {
    switch (bytes_per_pixel) {
        case 1:
            return at[0];
        case 2:
            return static_cast<std::uint32_t>(at[0] | (at[1] << 8));
        case 3:
            return static_cast<std::uint32_t>(at[0] | (at[1] << 8) | (at[2] << 16));
        default: {
            std::uint32_t value;
            std::memcpy(&value, at, 4);
            return value;
        }
    }
}

inline void StorePixelValue(std::uint8_t* at, int bytes_per_pixel, std::uint32_t value) {
    switch (bytes_per_pixel) {
        case 1:
            at[0] = static_cast<std::uint8_t>(value);
            break;
        case 2:
            at[0] = static_cast<std::uint8_t>(value);
            at[1] = static_cast<std::uint8_t>(value >> 8);
            break;
        case 3:
            at[0] = static_cast<std::uint8_t>(value);
            at[1] = static_cast<std::uint8_t>(value >> 8);
            at[2] = static_cast<std::uint8_t>(value >> 16);
            break;
        default:
            std::memcpy(at, &value, 4);
            break;
    }
}

// Shifts that give 0 instead of undefined behaviour once the count reaches the word size.
inline std::uint32_t ShiftLeft(std::uint32_t value, int count) {
    return count >= 32 ? 0 : value << count;
}
inline std::uint32_t ShiftRight(std::uint32_t value, int count) {
    return count >= 32 ? 0 : value >> count;
}

// All bits of a field `width` bits wide (width 32 included).
inline std::uint32_t FieldMaximum(int width) {
    return width >= 32 ? 0xFFFFFFFFu : (std::uint32_t{1} << width) - 1;
}

}  // namespace layer
