#pragma once

#include <cstdint>

namespace layer {

// Everything a textured span loop reads, gathered once per draw: the source, the blend
// image and the table rows of the blend parameter and the bright colour.
struct TexturedContext {
    const std::uint8_t* source_pixels = nullptr;
    std::int64_t source_pitch = 0;
    // Width and height times 262144; a texel position passes when below them as unsigned.
    std::uint32_t width_fixed = 0;
    std::uint32_t height_fixed = 0;
    std::uint32_t trans_colour = 0;
    // The body's zero-filled 256-entry palette, so every index reads a defined entry.
    const std::uint8_t* palette = nullptr;
    const std::uint8_t* blend_pixels = nullptr;
    std::int64_t blend_pitch = 0;
    const std::uint8_t* weight = nullptr;
    // Product-table rows of the blend parameter and of the bright colour's blue, green, red.
    const std::int32_t* product_p = nullptr;
    const std::int32_t* bright_rows[3] = {nullptr, nullptr, nullptr};
    // Difference-table row of the blend parameter at its centre (difference 0).
    const std::int32_t* difference_p = nullptr;
    std::uint32_t p = 0;
};

// A run of destination pixels whose texel position starts at (u, v) and moves by (du, dv)
// per pixel, in wrapping 32-bit arithmetic. Both textured renderers draw through these.
using TexturedSpanFn = void (*)(const TexturedContext& context, std::uint8_t* dest, int count,
                                std::uint32_t u, std::uint32_t v, std::uint32_t du,
                                std::uint32_t dv);

}  // namespace layer
