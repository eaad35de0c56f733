#pragma once

// The key-input strings behind the handles of kind 10, the one that typed characters go to,
// and the colours they are drawn in.

#include <cstdint>

#include "layer/core/handle_table.h"
#include "layer/core/text_editor.h"

namespace layer {

struct TextInputRecord {
    int CheckNo = 0;
    TextEditor editor;
};

extern HandleTable<TextInputRecord, kTextInputHandleKind> text_input_table;

// The colour slots, numbered from 1 as SetTextInputColors takes them.
enum TextInputColourSlot : int {
    kTextColour = 1,
    kCursorColour = 2,
    kImeBackgroundColour = 3,
    kImeCursorColour = 4,
    kImeClauseLineColour = 5,
    kImeSelectedColour = 6,
    kTextEdgeColour = 8,
    kImeCandidateFrameColour = 11,
    kSelectionBackgroundColour = 13,
    kSelectedTextColour = 14,
    kSelectedTextEdgeColour = 15,
};
constexpr int kTextInputColourSlots = 15;

struct TextInputState {
    // The input typed characters go to; -1 none.
    int active = -1;
    // Slot n at index n - 1: screen pixel values.
    std::uint64_t colours[kTextInputColourSlots] = {};
};

extern TextInputState text_input_state;

// A slot's colour as a pixel value for the draw calls.
int TextInputColour(int slot);
// A slot's default (slot 11 has none of its own: it follows slot 3).
std::uint64_t DefaultTextInputColour(int slot);

}  // namespace layer
