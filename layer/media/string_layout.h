#pragma once

// The one routine behind every text width and every text drawing: cuts the string into
// characters, makes sure their glyphs are cached, walks a pen along the line and either sums
// the advances or puts each glyph's cell at the pen.

#include "layer/core/rect.h"
#include "layer/softrender/memimg.h"

namespace layer {

// draw 1 draws into `target` inside `clip`, any other value only measures. Text runs from
// (x, y) rightward, or downward with every glyph turned a quarter turn clockwise. Colours are
// screen pixels. `transparent` 0 also clears the empty pixels of each glyph box. length -1
// takes the whole string. Returns the pen's travel (width, or height for vertical text), 0
// for an empty string, -1 on failure; `size` (may be null) receives the line's extent.
int DrawStringThroughCache(int draw, int x, int y, int scaled, double scale_x, double scale_y,
                           const char* text, int colour, MEMIMG* target, const Rect* clip,
                           int transparent, int handle, int edge_colour, int length, int vertical,
                           int* size);

}  // namespace layer
