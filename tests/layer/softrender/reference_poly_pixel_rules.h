#pragma once

#include <cstdint>
#include <optional>

// Slow per-pixel model of the polygon renderers' pixel rules, written channel by channel
// from their stated formulas, against which the fast loops are checked.
namespace reference_poly {

// One texel as the textured pipeline sees it.
struct Texel {
    bool bits32 = true;  // colour type 1; false for 16-bit R5G6B5
    bool palette = false;
    bool alpha = false;        // the source's alpha flag (ignored for palette sources)
    std::uint32_t stored = 0;  // stored value: the texel, or the index of a palette source
    std::uint32_t palette_entry = 0;
    std::uint32_t trans_colour = 0;
    bool trans_flag = false;
};

struct Settings {
    int code = 0;
    int p = 255;
    std::uint32_t bright = 0xFFFFFF;
    std::optional<int> weight;  // blend-image weight, when a blend image is given
};

// The new destination pixel, or nothing when the pixel is left untouched.
std::optional<std::uint32_t> TexturedPixel(const Texel& texel, const Settings& settings,
                                           std::uint32_t dest);

// Box and line scale the colour by (c * b) >> 8 when the bright colour is not white; the
// flat triangle always by the product table.
enum class BrightStep { kBoxAndLine, kTriangle };

std::optional<std::uint32_t> ConstantColourPixel(bool bits32, std::uint32_t colour,
                                                 const Settings& settings, BrightStep step,
                                                 std::uint32_t dest);

}  // namespace reference_poly
