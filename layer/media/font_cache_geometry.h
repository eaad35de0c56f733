#pragma once

// The sizes of a font's glyph cache, from its text metrics.

namespace layer {

struct FontCellSize {
    // Side of one square cache cell.
    int cell_size = 0;
    // The height one line takes.
    int line_height = 0;
};

// The cell holds the widest character with a pixel to spare on each side and the edges, on
// a multiple of 8, and is never smaller than the line.
FontCellSize MeasureFontCell(int max_char_width, int text_height, int type, int edge_size);

// A memory cache: one column of cells in about 320 KB, 20 to 2,024 cells.
int MemoryCacheCellCount(int cell_size);

struct TextureCacheGeometry {
    int width = 0;
    int height = 0;
    int cell_count = 0;
};
// A texture cache: 512 x 512, doubled along its smaller side until it holds 10 cells.
TextureCacheGeometry MeasureTextureCache(int cell_size);

}  // namespace layer
