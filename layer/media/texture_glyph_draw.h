#pragma once

// One glyph of a texture-cache font drawn with the graphics side's draw calls: the edge from
// the edge texture in the edge colour, then the body in the text colour, as the bright
// colour over the white glyphs.

#include <cstdint>

#include "layer/media/font_record.h"

namespace layer {

struct TextureGlyphPen {
    int x;
    int y;
    // The distance travelled along the line; whole pixels unless scaled.
    double pen;
    bool scaled;
    double scale_x;
    double scale_y;
    int vertical;
};

// Colours as 0x00RRGGBB.
void DrawTextureGlyph(const FontRecord& record, const TextCacheEntry& entry,
                      const TextureGlyphPen& pen, std::uint32_t body_rgb, std::uint32_t edge_rgb);

}  // namespace layer
