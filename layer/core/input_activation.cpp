// What the window procedure asks of the input on activation changes.
#include "layer/core/input_devices.h"
#include "layer/core/input_system.h"

namespace layer {

// The devices are read afresh on the next query.
int ReacquireInputDevices() {
    input_devices.last_keyboard_poll = -1;
    for (PadRecord& pad : input_devices.pads) {
        pad.last_poll = -1;
    }
    return 0;
}

}  // namespace layer
