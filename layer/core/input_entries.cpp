// The entries on the keyboard, the pads and the mouse buttons.
#include "layer/core/input_system.h"
#include "layer/core/layer_api.h"

namespace layer {

int GetMouseButtons() {
    return ReadMouseButtons();
}

int ReadKeyboardState(char* state) {
    return ReadKeyStateTable(state);
}

int GetPadInputBits(int pad) {
    return ReadPadBits(pad);
}

}  // namespace layer
