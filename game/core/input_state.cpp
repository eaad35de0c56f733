#include "game/core/input_state.h"

namespace game {

InputState TheInputState;

void UpdateInput(InputState& inputState) {
    inputState = InputState{};
}

}  // namespace game
