// The keyboard and mouse-button queries.
#include "layer/core/input_devices.h"
#include "layer/core/input_system.h"
#include "layer/core/layer_log.h"
#include "platform/input_events.h"

namespace layer {

int IsKeyDown(int code) {
    PrepareInputQuery();
    PollKeyboard();
    if (code < 0 || code > 0xFF) {
        return 0;
    }
    return (input_devices.key_state[code] & 0x80) != 0 ? 1 : 0;
}

int ReadKeyStateTable(char* state) {
    if (state == nullptr) {
        return WriteLog("ReadKeyStateTable: no buffer\n");
    }
    PrepareInputQuery();
    PollKeyboard();
    for (std::size_t code = 0; code < input_devices.key_state.size(); ++code) {
        state[code] = (input_devices.key_state[code] & 0x80) != 0 ? 1 : 0;
    }
    return 0;
}

// Bits 0 to 7 for the buttons in the order left, right, middle and the extra buttons.
int ReadMouseButtons() {
    return static_cast<int>(platform::ReadMouseButtons() & 0xFF);
}

}  // namespace layer
