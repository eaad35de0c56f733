#include "layer/core/text_editor.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "layer/core/double_byte_text.h"

namespace layer {
namespace {

void ClearSelection(TextEditor& editor) {
    editor.anchor = -1;
    editor.selection_end = 0;
}

void RemoveBytes(TextEditor& editor, int from, int to) {
    std::memmove(editor.bytes + from, editor.bytes + to,
                 static_cast<std::size_t>(editor.length - to + 1));
    editor.length -= to - from;
    editor.draw_start = std::min(editor.draw_start, editor.length);
}

std::string SelectedBytes(const TextEditor& editor) {
    const int low = std::min(editor.anchor, editor.selection_end);
    const int high = std::max(editor.anchor, editor.selection_end);
    return {editor.bytes + low, static_cast<std::size_t>(high - low)};
}

// A cursor move; with Shift the selection grows from where the cursor stood.
void MoveCursor(TextEditor& editor, int to, int shift) {
    if (shift != 0) {
        if (HasSelection(editor) == 0) {
            editor.anchor = editor.cursor;
        }
        editor.selection_end = to;
    } else {
        ClearSelection(editor);
    }
    editor.cursor = to;
}

EditResult Copy(TextEditor& editor, int) {
    if (HasSelection(editor) == 0) {
        return {};
    }
    return {EditEffect::kCopy, SelectedBytes(editor)};
}

EditResult Cut(TextEditor& editor, int) {
    EditResult result = Copy(editor, 0);
    if (result.effect == EditEffect::kCopy) {
        DeleteSelection(editor);
    }
    return result;
}

EditResult Backspace(TextEditor& editor, int) {
    if (HasSelection(editor) != 0) {
        DeleteSelection(editor);
    } else if (editor.cursor > 0) {
        const int start = CharStartBefore(editor.bytes, editor.cursor);
        RemoveBytes(editor, start, editor.cursor);
        editor.cursor = start;
    }
    return {};
}

EditResult Delete(TextEditor& editor, int shift) {
    if (HasSelection(editor) == 0) {
        if (editor.cursor < editor.length) {
            RemoveBytes(editor, editor.cursor,
                        editor.cursor + CharLengthAt(editor.bytes, editor.length, editor.cursor));
        }
        return {};
    }
    if (shift != 0) {
        return Cut(editor, shift);
    }
    DeleteSelection(editor);
    return {};
}

EditResult Enter(TextEditor& editor, int) {
    editor.ended = 1;
    return {EditEffect::kStop, {}};
}

EditResult Escape(TextEditor& editor, int) {
    if (editor.escape_cancels == 0) {
        return {};
    }
    editor.cancelled = 1;
    editor.ended = 1;
    return {EditEffect::kStop, {}};
}

EditResult Paste(TextEditor&, int) {
    return {EditEffect::kPaste, {}};
}

EditResult End(TextEditor& editor, int shift) {
    MoveCursor(editor, editor.length, shift);
    return {};
}

EditResult Home(TextEditor& editor, int shift) {
    MoveCursor(editor, 0, shift);
    return {};
}

EditResult Right(TextEditor& editor, int shift) {
    if (editor.cursor < editor.length) {
        MoveCursor(editor, editor.cursor + CharLengthAt(editor.bytes, editor.length, editor.cursor),
                   shift);
    }
    return {};
}

EditResult Left(TextEditor& editor, int shift) {
    if (editor.cursor > 0) {
        MoveCursor(editor, CharStartBefore(editor.bytes, editor.cursor), shift);
    }
    return {};
}

using EditAction = EditResult (*)(TextEditor&, int shift);

// The control codes with an action, sorted. The others (tab, Up, Down, Page Up, Page Down,
// Ctrl+A) do nothing: a control byte is never wanted in the text. Every other character is
// typed in.
constexpr std::array<std::pair<unsigned char, EditAction>, 11> kEditCodes{{
    {0x03, Copy},
    {0x08, Backspace},
    {0x0D, Enter},
    {0x10, Delete},
    {0x16, Paste},
    {0x18, Cut},
    {0x19, End},
    {0x1A, Home},
    {0x1B, Escape},
    {0x1C, Right},
    {0x1D, Left},
}};
constexpr unsigned char kFirstPrintable = 0x20;
static_assert(std::is_sorted(kEditCodes.begin(), kEditCodes.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; }));

bool Accepts(const TextEditor& editor, const unsigned char* character, int length) {
    if (editor.numeric_only != 0) {
        if (length != 1) {
            return false;
        }
        const unsigned char code = character[0];
        return (code >= '0' && code <= '9') || (code == '-' && editor.cursor == 0) ||
               (code == '.' && std::memchr(editor.bytes, '.', editor.length) == nullptr);
    }
    return editor.single_byte_only == 0 || length == 1;
}

// A full string makes room by dropping its last characters; a character longer than the
// maximum itself is dropped before anything is removed.
void Insert(TextEditor& editor, const unsigned char* character, int length) {
    if (HasSelection(editor) != 0) {
        DeleteSelection(editor);
    }
    if (!Accepts(editor, character, length) || length > editor.max_length) {
        return;
    }
    while (editor.length + length > editor.max_length) {
        const int start = CharStartBefore(editor.bytes, editor.length);
        RemoveBytes(editor, start, editor.length);
        editor.cursor = std::min(editor.cursor, start);
    }
    std::memmove(editor.bytes + editor.cursor + length, editor.bytes + editor.cursor,
                 static_cast<std::size_t>(editor.length - editor.cursor + 1));
    std::memcpy(editor.bytes + editor.cursor, character, static_cast<std::size_t>(length));
    editor.cursor += length;
    editor.length += length;
}

}  // namespace

int HasSelection(const TextEditor& editor) {
    return editor.anchor >= 0 && editor.anchor != editor.selection_end ? 1 : 0;
}

EditResult ApplyTypedCharacter(TextEditor& editor, const unsigned char* character, int length,
                               int shift) {
    // An empty selection (the cursor moved back to its anchor) is no selection.
    if (HasSelection(editor) == 0) {
        ClearSelection(editor);
    }
    if (length == 1 && character[0] < kFirstPrintable) {
        const auto code = std::lower_bound(
            kEditCodes.begin(), kEditCodes.end(), character[0],
            [](const auto& entry, unsigned char value) { return entry.first < value; });
        if (code != kEditCodes.end() && code->first == character[0]) {
            return code->second(editor, shift);
        }
        return {};
    }
    Insert(editor, character, length);
    return {};
}

int DeleteSelection(TextEditor& editor) {
    if (editor.anchor < 0) {
        return 0;
    }
    const int low = std::min(editor.anchor, editor.selection_end);
    const int high = std::max(editor.anchor, editor.selection_end);
    RemoveBytes(editor, low, high);
    editor.cursor = low;
    ClearSelection(editor);
    return 0;
}

int ReplaceEditorText(TextEditor& editor, const char* text) {
    const std::size_t length = TrimToCharBoundary(
        text, std::min(std::strlen(text), static_cast<std::size_t>(editor.max_length)));
    std::memcpy(editor.bytes, text, length);
    editor.bytes[length] = '\0';
    ClearSelection(editor);
    editor.length = static_cast<int>(length);
    editor.cursor = editor.length;
    editor.draw_start = std::min(editor.draw_start, editor.length);
    return 0;
}

}  // namespace layer
