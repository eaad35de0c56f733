#pragma once

#include <cstdint>

#include "layer/media/pixel_format.h"

namespace layer {

// The 40-byte header that describes device-independent pixels, as BMP files store it after
// their 14-byte file header. A positive height means rows stored bottom to top.
struct BitmapInfoHeader {
    std::uint32_t size = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 0;
    std::uint16_t bit_count = 0;
    std::uint32_t compression = 0;
    std::uint32_t image_size = 0;
    std::int32_t x_pixels_per_metre = 0;
    std::int32_t y_pixels_per_metre = 0;
    std::uint32_t colours_used = 0;
    std::uint32_t colours_important = 0;
};
static_assert(sizeof(BitmapInfoHeader) == 40);

// The header with room for 256 palette entries (B, G, R, 0), or for the three masks of the
// bit-field layout in the first three entries.
struct BitmapInfo {
    BitmapInfoHeader header;
    PaletteEntry colours[256];
};
static_assert(sizeof(BitmapInfo) == 40 + 1024);

// Compression codes of the header.
constexpr std::uint32_t kBitmapPlain = 0;
constexpr std::uint32_t kBitmapRle8 = 1;
constexpr std::uint32_t kBitmapRle4 = 2;
constexpr std::uint32_t kBitmapBitFields = 3;

// Bytes of one stored row: the bits rounded up to whole bytes, then to a multiple of 4.
constexpr std::int64_t BitmapRowSize(std::int64_t width, int bit_count) {
    return ((width * bit_count + 7) / 8 + 3) & ~std::int64_t{3};
}

}  // namespace layer
