#pragma once

// Reading and writing single pixels of the display stand-in's formats as 0x00RRGGBB.

#include <bit>
#include <cstdint>
#include <cstring>

#include "platform/dd_pixel_format.h"

namespace platform {

// A channel's value widened to 0..255 (value x 255 / maximum); 0 for an empty mask.
inline std::uint32_t ExpandField(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) {
        return 0;
    }
    const int shift = std::countr_zero(mask);
    const std::uint32_t maximum = mask >> shift;
    return ((pixel & mask) >> shift) * 255 / maximum;
}

// A component 0..255 cut to the channel's width and moved to its place.
inline std::uint32_t PackField(std::uint32_t component, std::uint32_t mask) {
    if (mask == 0) {
        return 0;
    }
    const int shift = std::countr_zero(mask);
    const int width = std::popcount(mask);
    return (component >> (8 - width)) << shift & mask;
}

inline std::uint32_t LoadPixel(const std::uint8_t* at, int bytes) {
    std::uint32_t value = 0;
    std::memcpy(&value, at, static_cast<std::size_t>(bytes));
    return value;
}

inline void StorePixel(std::uint8_t* at, int bytes, std::uint32_t value) {
    std::memcpy(at, &value, static_cast<std::size_t>(bytes));
}

inline std::uint32_t PixelToXrgb(const layer::DdPixelFormat& format, std::uint32_t pixel) {
    return ExpandField(pixel, format.red_mask) << 16 | ExpandField(pixel, format.green_mask) << 8 |
           ExpandField(pixel, format.blue_mask);
}

inline std::uint32_t XrgbToPixel(const layer::DdPixelFormat& format, std::uint32_t xrgb) {
    return PackField(xrgb >> 16 & 0xFF, format.red_mask) |
           PackField(xrgb >> 8 & 0xFF, format.green_mask) |
           PackField(xrgb & 0xFF, format.blue_mask);
}

}  // namespace platform
