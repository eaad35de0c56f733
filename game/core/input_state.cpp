#include "game/core/input_state.h"

namespace game {

InputState TheInputState;

InputState::InputState() {
    ResetInputState(*this);
}

void ResetInputState(InputState& inputState) {
    inputState.wheel = 0;
    inputState.mouseDX = 0;
    inputState.mouseDY = 0;
    inputState.prevMouseX = 0;
    inputState.prevMouseY = 0;
    inputState.confirmRepeat = 0;
    inputState.cancelRepeat = 0;
    inputState.confirmCount = 0;
    inputState.cancelCount = 0;
    inputState.verticalUp = 0;
    inputState.verticalDown = 0;
    inputState.horizontalLeft = 0;
    inputState.horizontalRight = 0;
    inputState.printHeld = 0;
    inputState.printPressed = 0;
    inputState.keys.fill(0);
}

}  // namespace game
