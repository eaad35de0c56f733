#include "layer/core/text_input_drawing.h"

#include <algorithm>

#include "layer/core/double_byte_text.h"
#include "layer/core/ime.h"
#include "layer/core/text_input_records.h"
#include "layer/core/wrapped_input_text.h"

namespace layer {
namespace {

constexpr int kCursorWidth = 2;

// The width the text has from the start point to the draw area's end, over all the whole
// lines below.
int AvailableWidth(const InputTextLayout& layout, int x, int y) {
    const Rect& area = layout.area;
    const int lines = (area.bottom - y) / layout.line_height;
    if (lines == 0) {
        return area.right - x;
    }
    return (area.right - area.left) * (lines - 1) + (area.right - x);
}

// Keeps the cursor shown: the whole text from its start when it fits, else a draw start as
// far back from the cursor as the width allows.
void ScrollDrawStart(TextEditor& editor, int available) {
    const char* bytes = editor.bytes;
    const int cursor = editor.cursor;
    if (MeasureInputText(bytes, editor.length) + 4 < available) {
        editor.draw_start = 0;
    } else if (editor.draw_start > cursor) {
        editor.draw_start = cursor;
    } else if (MeasureInputText(bytes + editor.draw_start, cursor - editor.draw_start) >
               available) {
        editor.draw_start = cursor;
        while (editor.draw_start > 0) {
            const int before = CharStartBefore(bytes, editor.draw_start);
            if (MeasureInputText(bytes + before, cursor - before) > available) {
                break;
            }
            editor.draw_start = before;
        }
    }
}

}  // namespace

int DrawTextInputAt(int x, int y, TextEditor& editor, bool active) {
    const TextureDrawingPause pause;
    InputTextLayout layout;
    if (!PrepareInputTextLayout(&layout)) {
        return 0;
    }
    const Rect& area = layout.area;
    x = std::max(x, area.left);
    y = std::max(y, area.top);
    WrapIntoArea(layout, &x, &y);
    ScrollDrawStart(editor, AvailableWidth(layout, x, y));
    const int cursor_x =
        x + MeasureInputText(editor.bytes + editor.draw_start, editor.cursor - editor.draw_start);
    if (active) {
        DrawWrappedBox(layout, cursor_x, y, kCursorWidth, layout.font_size,
                       TextInputColour(kCursorColour));
    }
    int low = 0;
    int high = 0;
    if (HasSelection(editor) != 0) {
        low = std::max(std::min(editor.anchor, editor.selection_end) - editor.draw_start, 0);
        high = std::max(std::max(editor.anchor, editor.selection_end) - editor.draw_start, 0);
    }
    const InputTextColours colours{TextInputColour(kTextColour), TextInputColour(kTextEdgeColour),
                                   TextInputColour(kSelectionBackgroundColour),
                                   TextInputColour(kSelectedTextColour),
                                   TextInputColour(kSelectedTextEdgeColour)};
    DrawInputText(layout, x, y, editor.bytes + editor.draw_start, colours, low, high);
    if (active) {
        DrawImeComposition(cursor_x, y);
    }
    return 0;
}

}  // namespace layer
