#pragma once

// A font's glyph cache in a texture graph, for strings drawn with Direct3D: white glyphs with
// their coverage in the alpha bits of a 16-bit texture, the edges of an edged font in the
// texture's right half.

#include "layer/media/font_record.h"
#include "layer/media/glyph_placement.h"

namespace layer {

// 1 when a new font may keep its cache in a texture: 3D drawing in use and both 16-bit
// texture formats (A4R4G4B4 for alpha channels, A1R5G5B5 for alpha tests) at hand.
int TextureCacheAvailable();

// The cache's geometry, without graphs yet; RestoreFontTexture makes them.
void SetUpTextureCache(FontRecord& record);
// The zero-filled glyph work image; -1 when it cannot be allocated.
int SetUpGlyphWorkImage(FontRecord& record);

// Makes the texture graph (and its edge half) when it was lost, filled with white of alpha 0;
// -1 when the graph cannot be made.
int RestoreFontTexture(FontRecord& record);

// Disposes of the texture graphs and frees the work image.
void ReleaseFontTexture(FontRecord& record);

// The top-left corner of a cell in the cache image.
struct CellCorner {
    int x;
    int y;
};
CellCorner CellCornerOf(const FontRecord& record, int cell_index);

// Clears the work image for the next glyph.
void ClearGlyphWorkImage(FontRecord& record);

// Puts a rendered glyph into the work image in the texture's format and writes its cell (the
// body box and the edge box with an edge) into the texture graph. `grey` tells levels 0 to 16
// from bits.
void PlaceGlyphInTexture(FontRecord& record, const GlyphBitmap& glyph, bool grey, int cell_index);

}  // namespace layer
