#pragma once

#include "layer/core/text_editor.h"

namespace layer {

// DrawTextInput's body: the string from its draw start, its cursor and, for the active input,
// the IME composition at the cursor. Scrolls the draw start to keep the cursor shown.
int DrawTextInputAt(int x, int y, TextEditor& editor, bool active);

}  // namespace layer
