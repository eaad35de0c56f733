#pragma once

#include <cstdint>

namespace layer {

// The eleven bytes that decide the kind and format of a graph's surfaces; copied from the
// graph into every surface-data record it makes.
struct FormatKey {
    // 1 texture-based, 0 2D.
    std::uint8_t TextureFlag = 0;
    std::uint8_t AlphaChFlag = 0;
    // The graph may be a draw target.
    std::uint8_t DrawValid = 0;
    // 2D graphs: surfaces in system memory.
    std::uint8_t SystemMemFlag = 0;
    // Textures not managed by the device.
    std::uint8_t UnmanagedFlag = 0;
    // 0 for every graph made here.
    std::uint8_t FormatSelect = 0;
    std::uint8_t Reserved = 0;
    // Transparency through the alpha test.
    std::uint8_t AlphaTestFlag = 0;
    // 16 or 32 (the screen depth for 2D graphs).
    std::uint8_t ColorBitDepth = 0;
    // 2D graphs: an 8-bit single-channel blend picture.
    std::uint8_t BlendGraphFlag = 0;
    // 2D graphs: one byte per pixel without alpha.
    std::uint8_t PaletteFlag = 0;

    friend bool operator==(const FormatKey&, const FormatKey&) = default;
};
static_assert(sizeof(FormatKey) == 11);

}  // namespace layer
