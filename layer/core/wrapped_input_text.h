#pragma once

// Key-input strings and the IME composition on the current draw target, in the standard font,
// wrapped inside the draw area: whatever passes its right edge goes on at its left edge one
// line lower.

#include "layer/core/rect.h"

namespace layer {

struct InputTextLayout {
    Rect area;
    int font_size = 0;
    // font size + 3 x (font size / 10)
    int line_height = 0;
};

// The layout of the standard font in the draw area; false when nothing can be drawn there (an
// area without width, or a font without height).
bool PrepareInputTextLayout(InputTextLayout* layout);

// Texture drawing is switched off while one lives, and back on after.
class TextureDrawingPause {
  public:
    TextureDrawingPause();
    ~TextureDrawingPause();
    TextureDrawingPause(const TextureDrawingPause&) = delete;
    TextureDrawingPause& operator=(const TextureDrawingPause&) = delete;

  private:
    int saved_;
};

// Moves a point at or past the right edge left by whole area widths, a line lower for each.
void WrapIntoArea(const InputTextLayout& layout, int* x, int* y);
// The text's width in the standard font (0 when it cannot be measured).
int MeasureInputText(const char* text, int length);
// A filled box of `width` x `height` at (x, y), wrapped.
int DrawWrappedBox(const InputTextLayout& layout, int x, int y, int width, int height, int colour);

// The colours of a text and of its selected part.
struct InputTextColours {
    int text = 0;
    int edge = 0;
    int selection_background = 0;
    int selected_text = 0;
    int selected_edge = 0;
};

// The zero-terminated text at (x, y), wrapped; the bytes from `selection_low` up to
// `selection_high` (equal: none) are drawn over a box of their own colour.
int DrawInputText(const InputTextLayout& layout, int x, int y, const char* text,
                  const InputTextColours& colours, int selection_low, int selection_high);

}  // namespace layer
