#include "layer/core/wrapped_input_text.h"

#include <algorithm>
#include <cstring>

#include "layer/core/double_byte_text.h"
#include "layer/graphics/graphics_services.h"
#include "layer/media/media_services.h"

namespace layer {
namespace {

// Calls draw(x, y) for every line a piece `width` wide at (x, y) shows on: first where it
// starts, then, as long as it passes the right edge, one line lower and one area width to
// the left, so that the part cut off shows from the left edge. Lines the area does not show
// (the visible part measured with ClipRect) are left out.
template <typename Draw>
void DrawWrapped(const InputTextLayout& layout, int x, int y, int width, Draw draw) {
    const Rect& area = layout.area;
    const int span = area.right - area.left;
    WrapIntoArea(layout, &x, &y);
    while (true) {
        Rect visible{x, y, x + width, y + layout.line_height};
        ClipRect(&visible, area);
        if (visible.right > visible.left && visible.bottom > visible.top) {
            draw(x, y);
        }
        if (x + width <= area.right || y >= area.bottom) {
            return;
        }
        x -= span;
        y += layout.line_height;
    }
}

void DrawCharacter(const InputTextLayout& layout, int x, int y, const char* character, int length,
                   int width, int colour, int edge) {
    char text[3] = {};
    std::copy(character, character + length, text);
    DrawWrapped(layout, x, y, width, [&](int at_x, int at_y) {
        DrawStandardFontString(at_x, at_y, text, colour, edge);
    });
}

}  // namespace

bool PrepareInputTextLayout(InputTextLayout* layout) {
    ApplyStandardFontSettings();
    layout->font_size = QueryFontSize(GetStandardFont());
    layout->line_height = layout->font_size + 3 * (layout->font_size / 10);
    GetDrawClipRect(&layout->area);
    return layout->area.right > layout->area.left && layout->line_height > 0;
}

void WrapIntoArea(const InputTextLayout& layout, int* x, int* y) {
    const Rect& area = layout.area;
    if (*x >= area.right) {
        const int lines = (*x - area.left) / (area.right - area.left);
        *x -= lines * (area.right - area.left);
        *y += lines * layout.line_height;
    }
}

TextureDrawingPause::TextureDrawingPause() : saved_(GetTextureDrawing()) {
    if (saved_ != 0) {
        SetTextureDrawing(0);
    }
}

TextureDrawingPause::~TextureDrawingPause() {
    if (saved_ != 0) {
        SetTextureDrawing(saved_);
    }
}

int MeasureInputText(const char* text, int length) {
    return length <= 0 ? 0 : std::max(MeasureStandardFontString(text, length, 0), 0);
}

int DrawWrappedBox(const InputTextLayout& layout, int x, int y, int width, int height, int colour) {
    if (width <= 0 || height <= 0) {
        return 0;
    }
    DrawWrapped(layout, x, y, width, [&](int at_x, int at_y) {
        PutBox(at_x, at_y, at_x + width, at_y + height, colour, 1);
    });
    return 0;
}

// A plain text is drawn whole; with a selection, character by character.
int DrawInputText(const InputTextLayout& layout, int x, int y, const char* text,
                  const InputTextColours& colours, int selection_low, int selection_high) {
    const int length = static_cast<int>(std::strlen(text));
    if (selection_low == selection_high) {
        DrawWrapped(layout, x, y, MeasureInputText(text, length), [&](int at_x, int at_y) {
            DrawStandardFontString(at_x, at_y, text, colours.text, colours.edge);
        });
        return 0;
    }
    int pen = x;
    for (int offset = 0; offset < length;) {
        const int size = CharLengthAt(text, length, offset);
        const int width = MeasureInputText(text + offset, size);
        if (offset >= selection_low && offset < selection_high) {
            DrawWrappedBox(layout, pen, y, width, layout.font_size, colours.selection_background);
            DrawCharacter(layout, pen, y, text + offset, size, width, colours.selected_text,
                          colours.selected_edge);
        } else {
            DrawCharacter(layout, pen, y, text + offset, size, width, colours.text, colours.edge);
        }
        pen += width;
        offset += size;
    }
    return 0;
}

}  // namespace layer
