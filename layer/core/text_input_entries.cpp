// The entries on key-input strings.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "layer/core/double_byte_text.h"
#include "layer/core/ime.h"
#include "layer/core/layer_api.h"
#include "layer/core/text_input_drawing.h"
#include "layer/core/text_input_records.h"
#include "layer/core/tracked_memory.h"
#include "layer/core/typed_char_buffer.h"

namespace layer {
namespace {

constexpr std::uint64_t kKeepColour = ~std::uint64_t{0};

TextEditor* FindEditor(int handle) {
    TextInputRecord* record = text_input_table.Find(handle);
    return record == nullptr ? nullptr : &record->editor;
}

}  // namespace

// A slot given as all bits set keeps its colour, except that slot 11 then follows a slot 3
// given in the same call, and slots 12 to 15 go back to their defaults.
int SetTextInputColors(std::uint64_t text, std::uint64_t cursor, std::uint64_t ime_background,
                       std::uint64_t ime_cursor, std::uint64_t ime_clause_line,
                       std::uint64_t ime_selected, std::uint64_t unused_7, std::uint64_t text_edge,
                       std::uint64_t ime_candidate_edge, std::uint64_t unused_10,
                       std::uint64_t ime_candidate_frame, std::uint64_t ime_candidate_background,
                       std::uint64_t selection_background, std::uint64_t selected_text,
                       std::uint64_t selected_text_edge) {
    const std::uint64_t given[kTextInputColourSlots] = {text,
                                                        cursor,
                                                        ime_background,
                                                        ime_cursor,
                                                        ime_clause_line,
                                                        ime_selected,
                                                        unused_7,
                                                        text_edge,
                                                        ime_candidate_edge,
                                                        unused_10,
                                                        ime_candidate_frame,
                                                        ime_candidate_background,
                                                        selection_background,
                                                        selected_text,
                                                        selected_text_edge};
    for (int slot = 1; slot <= kTextInputColourSlots; ++slot) {
        std::uint64_t& colour = text_input_state.colours[slot - 1];
        const std::uint64_t value = given[slot - 1];
        if (value != kKeepColour) {
            colour = value;
        } else if (slot == kImeCandidateFrameColour &&
                   given[kImeBackgroundColour - 1] != kKeepColour) {
            colour = given[kImeBackgroundColour - 1];
        } else if (slot > kImeCandidateFrameColour) {
            colour = DefaultTextInputColour(slot);
        }
    }
    return 0;
}

// A maximum below 0 fails as an allocation would; the buffer's size is taken in 64 bits.
int CreateTextInput(int max_length, int escape_cancels, int single_byte_only, int numeric_only) {
    if (max_length < 0) {
        return -1;
    }
    TextInputRecord* record = nullptr;
    const int handle = text_input_table.AddFirstFree(&record);
    if (handle == -1) {
        return -1;
    }
    auto* bytes = static_cast<char*>(
        AllocTrackedZeroed(static_cast<std::size_t>(max_length) + 1, __FILE__, __LINE__));
    if (bytes == nullptr) {
        text_input_table.Remove(handle);
        return -1;
    }
    TextEditor& editor = record->editor;
    editor.bytes = bytes;
    editor.max_length = max_length;
    editor.escape_cancels = escape_cancels;
    editor.single_byte_only = single_byte_only;
    editor.numeric_only = numeric_only;
    if (IsImeSwitchedOn() == 0) {
        EnableIme(1);
    }
    FlushTypedChars();
    return handle;
}

int DeleteTextInput(int handle) {
    TextEditor* editor = FindEditor(handle);
    if (editor == nullptr) {
        return -1;
    }
    FreeTracked(editor->bytes);
    text_input_table.Remove(handle);
    if (text_input_state.active == handle) {
        text_input_state.active = -1;
    }
    if (text_input_table.count() == 0) {
        EnableIme(0);
    }
    return 0;
}

int ActivateTextInput(int handle) {
    if (handle == text_input_state.active) {
        return 0;
    }
    TextEditor* editor = FindEditor(handle);
    if (handle != -1 && editor == nullptr) {
        return -1;
    }
    if (TextEditor* previous = FindEditor(text_input_state.active); previous != nullptr) {
        previous->anchor = -1;
        previous->selection_end = 0;
    }
    text_input_state.active = handle;
    if (editor != nullptr) {
        editor->ended = 0;
        editor->cancelled = 0;
    }
    return 0;
}

int GetTextInputState(int handle) {
    const TextEditor* editor = FindEditor(handle);
    if (editor == nullptr) {
        return -1;
    }
    if (editor->cancelled != 0) {
        return 2;
    }
    return editor->ended != 0 ? 1 : 0;
}

int SetTextInputString(const char* text, int handle) {
    TextEditor* editor = FindEditor(handle);
    if (editor == nullptr) {
        return -1;
    }
    return ReplaceEditorText(*editor, text != nullptr ? text : "");
}

// Cut at a character boundary to fit the capacity, terminator included.
int GetTextInputString(char* buffer, int capacity, int handle) {
    const TextEditor* editor = FindEditor(handle);
    if (editor == nullptr || buffer == nullptr || capacity < 1) {
        return -1;
    }
    const std::size_t length = TrimToCharBoundary(
        editor->bytes,
        std::min(static_cast<std::size_t>(editor->length), static_cast<std::size_t>(capacity - 1)));
    std::memcpy(buffer, editor->bytes, length);
    buffer[length] = '\0';
    return 0;
}

int DrawTextInput(int x, int y, int handle) {
    TextInputRecord* record = text_input_table.Find(handle);
    if (record == nullptr || record->editor.ended != 0) {
        return -1;
    }
    return DrawTextInputAt(x, y, record->editor, handle == text_input_state.active);
}

}  // namespace layer
