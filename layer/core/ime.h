#pragma once

#include "platform/window_message.h"

namespace layer {

// IME composition as the window procedure drives it.
int HandleImeMessage(const platform::Message& message);
// 1 while a key-input string has switched the IME on.
int IsImeSwitchedOn();
// 1 when the IME reported itself open at its last open-status notice.
int IsImeOpen();
// Starts putting the IME back the way it was after the window became active again.
int StartImeRestore();

}  // namespace layer
