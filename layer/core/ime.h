#pragma once

// The input method's composition, mirrored from the window system's text-editing events and
// drawn at the cursor of the active key-input string. The candidates are the input method's
// own: it shows them under the rectangle the drawing last told it.

#include "layer/core/rect.h"
#include "platform/window_message.h"

namespace layer {

constexpr int kCompositionBytes = 1024;
constexpr int kMaxClauseOffsets = 256;

struct ImeState {
    // On while a key-input string exists.
    int enabled = 0;
    int composing = 0;
    // CP932, zero-terminated.
    char composition[kCompositionBytes] = {};
    // In characters of the composition.
    int cursor = 0;
    // Byte offsets of the clause ends, the first 0, as the input method gives them.
    int clause_offsets[kMaxClauseOffsets] = {};
    int clause_count = 0;
    // The rectangle (window pixels) last told to the input method; empty before the first.
    Rect input_rect;
};

extern ImeState ime_state;

// Switches the input method on or off for the window; off clears the composition.
int EnableIme(int on);
// The composition messages of the window procedure.
int HandleImeMessage(const platform::Message& message);
// 1 while a key-input string has switched the input method on.
int IsImeSwitchedOn();
// The input method counts as open while it is switched on.
int IsImeOpen();
// The window became active again: the composition is dropped; the input method's next
// editing event shows what it kept.
int StartImeRestore();
// Draws the composition at (x, y) and tells the input method where its cursor is: -1 while the
// input method is off, else 0.
int DrawImeComposition(int x, int y);

}  // namespace layer
