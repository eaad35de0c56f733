#pragma once

namespace layer {

// The key-input strings as the layer's start-up, shutdown and message pump drive them.
int InitTextInput();
int EndTextInput();
// Applies the typed characters waiting in the TypedCharBuffer (and the IME's results) to
// the active key-input string.
int ApplyTypedChars();

}  // namespace layer
