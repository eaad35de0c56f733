// What the window procedure and the pump ask of the input on activation changes and on every
// pass. No operation of the player switches a pad's vibration on, so there is nothing to
// start, stop or time.
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

int ApplyPadVibration() {
    return 0;
}

int ServicePadVibration() {
    return 0;
}

}  // namespace layer
