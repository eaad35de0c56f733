#pragma once

// The editing of one key-input string: its Shift-JIS bytes, cursor, selection and options, and
// what each typed character or editing code does to them. Pure: the clipboard and the typed
// characters are the caller's, told through the result.

#include <string>

namespace layer {

struct TextEditor {
    // max_length + 1 bytes, zero-terminated at `length`.
    char* bytes = nullptr;
    int length = 0;
    int max_length = 0;
    // The selection runs between anchor and selection_end, either way round; anchor -1: none.
    int anchor = -1;
    int selection_end = 0;
    // The first byte shown.
    int draw_start = 0;
    int cursor = 0;
    int escape_cancels = 0;
    int single_byte_only = 0;
    int numeric_only = 0;
    int ended = 0;
    int cancelled = 0;
};

// What the caller does after a character was applied.
enum class EditEffect {
    kNone,
    // Put `copied` on the clipboard.
    kCopy,
    // Type the clipboard's text in turn.
    kPaste,
    // The input ended (confirmed or cancelled): the characters behind stay unread.
    kStop,
};

struct EditResult {
    EditEffect effect = EditEffect::kNone;
    std::string copied;
};

// 1 when a non-empty range is selected.
int HasSelection(const TextEditor& editor);
// Applies one character of `length` bytes (1 or 2); `shift` is 1 while either Shift key is held.
EditResult ApplyTypedCharacter(TextEditor& editor, const unsigned char* character, int length,
                               int shift);
// Removes the selected bytes and clears the selection; the cursor goes to where they began.
int DeleteSelection(TextEditor& editor);
// Replaces the text with at most the maximum length of `text`, cut at a character boundary;
// the cursor goes to its end and the selection is cleared.
int ReplaceEditorText(TextEditor& editor, const char* text);

}  // namespace layer
