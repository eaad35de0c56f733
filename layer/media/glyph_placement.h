#pragma once

// Putting a rendered glyph into its memory-cache cell in the font type's cell format.

#include <cstdint>

#include "platform/fonts/glyph_source.h"

namespace layer {

// A glyph bitmap as the glyph source gives it: 1 bit per pixel (types 0 and 1) or levels
// 0 to 16 (types 2 and 3), `stride` bytes a row; width and height already cut to the cell.
struct GlyphBitmap {
    const std::uint8_t* bits;
    int stride;
    int width;
    int height;
};

// The cell starts at `cell` with `pitch` bytes a row and has been cleared. Type 0: the bits;
// type 2: level - 1; type 1 (at edge, edge): 1 body, 2 edge; type 3 (at edge, edge): low 4
// bits body level - 1, high 4 bits the largest neighbouring body level - 1.
void PlaceGlyphInCell(const GlyphBitmap& glyph, int type, int edge_size, std::uint8_t* cell,
                      int pitch);

}  // namespace layer
