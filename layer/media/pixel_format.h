#pragma once

#include <cstdint>

namespace layer {

// One palette entry, in memory order; read as a little-endian word it is 0xXXRRGGBB.
struct PaletteEntry {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    std::uint8_t x = 0;
};

// The layout of one pixel, wherever pixels are converted. A format of 1 byte per pixel is a
// palette format: its masks describe a palette entry read as 0x00RRGGBB.
struct PixelFormat {
    std::uint16_t bits_per_pixel = 0;
    std::uint16_t bytes_per_pixel = 0;
    std::uint8_t red_width = 0;
    std::uint8_t green_width = 0;
    std::uint8_t blue_width = 0;
    std::uint8_t alpha_width = 0;
    std::uint8_t red_position = 0;
    std::uint8_t green_position = 0;
    std::uint8_t blue_position = 0;
    std::uint8_t alpha_position = 0;
    std::uint32_t red_mask = 0;
    std::uint32_t green_mask = 0;
    std::uint32_t blue_mask = 0;
    std::uint32_t alpha_mask = 0;
    // The bits of a pixel value that no channel covers.
    std::uint32_t unused_mask = 0;
    PaletteEntry palette[256];
    std::uint8_t unused_position = 0;
    std::uint8_t unused_width = 0;
    // 0 plain pixels; 1 to 5 DXT1 to DXT5 blocks.
    std::int32_t compression = 0;
};

// Fills the depth, the four masks and what follows from them: bytes per pixel, each
// channel's position and width, and the unused bits. The palette is left as it is. Always 0.
int FillFormatFromMasks(PixelFormat* format, int bits_per_pixel, std::uint32_t red_mask,
                        std::uint32_t green_mask, std::uint32_t blue_mask,
                        std::uint32_t alpha_mask);

// Recomputes the unused-bit mask only: 0 when the four widths fill the depth, else every bit
// of the depth that no channel mask covers. The unused position and width stay. Returns the
// format.
PixelFormat* SetFormatUnusedBits(PixelFormat* format);

// 1 when both describe one layout: the same depth and the same four masks (and, for two
// formats without a depth, the same compression); palettes are not compared. Else 0.
int SamePixelFormat(const PixelFormat& a, const PixelFormat& b);

// The layer-wide DIB output option; nothing sets it, so it is always 0.
int GetDibOutputMode();

}  // namespace layer
