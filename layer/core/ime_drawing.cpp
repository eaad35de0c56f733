// The composition drawn at the key-input cursor, in the key-input colours: a box under the
// whole text, the selected clause, the text, the composition cursor and a line under each
// clause. The input method is then told where the cursor is, for its candidates.
#include <algorithm>
#include <cstring>

#include "layer/core/double_byte_text.h"
#include "layer/core/ime.h"
#include "layer/core/text_input_records.h"
#include "layer/core/window_menu.h"
#include "layer/core/window_routines.h"
#include "layer/core/wrapped_input_text.h"
#include "platform/presenter.h"
#include "platform/window.h"

namespace layer {
namespace {

constexpr int kCursorWidth = 2;

// The x of a byte offset of the composition.
int OffsetX(int x, int offset) {
    return x + MeasureInputText(ime_state.composition, offset);
}

void DrawSelectedClause(const InputTextLayout& layout, int x, int y, int cursor_offset) {
    if (ime_state.clause_count == 2) {
        return;
    }
    for (int i = 0; i + 1 < ime_state.clause_count; ++i) {
        if (ime_state.clause_offsets[i] == cursor_offset) {
            const int left = OffsetX(x, cursor_offset);
            DrawWrappedBox(layout, left, y, OffsetX(x, ime_state.clause_offsets[i + 1]) - left,
                           layout.font_size, TextInputColour(kImeSelectedColour));
            return;
        }
    }
}

void DrawClauseLines(const InputTextLayout& layout, int x, int y) {
    const int d = layout.font_size / 10;
    int previous = 0;
    for (int i = 0; i < ime_state.clause_count; ++i) {
        const int left = OffsetX(x, previous) + 2 * d;
        const int right = OffsetX(x, ime_state.clause_offsets[i]) - 2 * d;
        DrawWrappedBox(layout, left, y + layout.font_size + d, right - left, d,
                       TextInputColour(kImeClauseLineColour));
        previous = ime_state.clause_offsets[i];
    }
}

// The cursor's box in window pixels: game pixels scaled to the client area, then placed
// where the presenter shows the frame (bars beside it in full screen).
Rect WindowRectOf(int x, int y, int width, int height) {
    const double scale = CurrentWindowScale();
    int left = static_cast<int>(x * scale);
    int top = static_cast<int>(y * scale) + GetToolBarHeight();
    int right = static_cast<int>((x + width) * scale);
    int bottom = static_cast<int>((y + height) * scale) + GetToolBarHeight();
    platform::FrameToWindowPoint(&left, &top);
    platform::FrameToWindowPoint(&right, &bottom);
    return {left, top, right, bottom};
}

void TellInputMethod(const InputTextLayout& layout, int x, int y) {
    WrapIntoArea(layout, &x, &y);
    const Rect rect = WindowRectOf(x, y, kCursorWidth, layout.font_size);
    if (rect != ime_state.input_rect) {
        ime_state.input_rect = rect;
        platform::SetTextInputRect(rect.left, rect.top, rect.right - rect.left,
                                   rect.bottom - rect.top);
    }
}

}  // namespace

int DrawImeComposition(int x, int y) {
    if (ime_state.enabled == 0) {
        return -1;
    }
    const TextureDrawingPause pause;
    InputTextLayout layout;
    if (!PrepareInputTextLayout(&layout)) {
        return 0;
    }
    x = std::max(x, layout.area.left);
    y = std::max(y, layout.area.top);
    const char* text = ime_state.composition;
    const int length = static_cast<int>(std::strlen(text));
    const int cursor_offset = CountCharBytes(text, length, ime_state.cursor);
    if (length > 0) {
        DrawWrappedBox(layout, x, y, OffsetX(x, length) - x, layout.font_size,
                       TextInputColour(kImeBackgroundColour));
        DrawSelectedClause(layout, x, y, cursor_offset);
        const InputTextColours colours{0, TextInputColour(kImeBackgroundColour)};
        DrawInputText(layout, x, y, text, colours, 0, 0);
        DrawWrappedBox(layout, OffsetX(x, cursor_offset), y, kCursorWidth, layout.font_size,
                       TextInputColour(kImeCursorColour));
        DrawClauseLines(layout, x, y);
    }
    TellInputMethod(layout, OffsetX(x, cursor_offset), y);
    return 0;
}

}  // namespace layer
