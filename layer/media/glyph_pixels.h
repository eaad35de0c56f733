#pragma once

// Writing one cached glyph's cell into a software image.

#include <cstdint>

#include "layer/core/rect.h"
#include "layer/media/font_record.h"
#include "layer/softrender/memimg.h"

namespace layer {

// The body and edge colours as screen pixels with the bright colour applied.
struct GlyphColours {
    std::uint32_t body;
    std::uint32_t edge;
};

// Bytes per pixel a target must have for this screen depth and font type; 0 when nothing is
// drawn (anti-aliased types on palette screens).
int GlyphTargetBytes(int screen_bits, int type);

// The composed pixel of a type-3 cell byte (low 4 bits body, high 4 bits edge) with the
// alpha at `alpha_shift`, or 0 for an empty byte; `wide_channels` picks 8-bit channels
// (X8R8G8B8) over R5G6B5.
std::uint32_t ComposeEdgedPixel(std::uint8_t cell, std::uint32_t body, std::uint32_t edge,
                                bool wide_channels, int alpha_shift);

struct GlyphPlacement {
    int pen;
    int x;
    int y;
    int vertical;
    int transparent;
    int screen_bits;
};

// Puts the entry's cell at the pen, clipped to `clip`.
void DrawCachedGlyph(const FontRecord& record, const TextCacheEntry& entry,
                     const GlyphPlacement& placement, const GlyphColours& colours, MEMIMG& target,
                     const Rect& clip);

}  // namespace layer
