// Device reads, each at most once per millisecond tick unless the device reported new input,
// so that the game may query freely within a frame.
#include "layer/core/input_devices.h"
#include "layer/core/input_system.h"
#include "layer/core/layer_api.h"
#include "layer/core/message_pump.h"
#include "layer/core/time_routines.h"
#include "layer/core/window_state.h"
#include "platform/input_events.h"

namespace layer {

InputDeviceState input_devices;

// Without a window there is nothing to wait for and no input to start.
void PrepareInputQuery() {
    if (window_state.window == nullptr) {
        return;
    }
    WaitWhileInactive();
    if (input_devices.started == 0 && IsQuitRequested() == 0) {
        StartInputSystem();
    }
}

// Only the window's thread reads the devices; other threads see the state as it stands.
void PollKeyboard() {
    if (input_devices.started == 0 || !IsMainThread()) {
        return;
    }
    const int now = ReadMillisecondClock();
    const bool notice = platform::TakeKeyboardNotice();
    if (now == input_devices.last_keyboard_poll && !notice) {
        return;
    }
    if (RunMessagePump() != 0) {
        return;
    }
    input_devices.key_state = platform::ReadKeyboard();
    input_devices.last_keyboard_poll = now;
}

int PollPad(int index) {
    if (input_devices.started == 0 || index < 0 || index >= input_devices.pad_count) {
        return -1;
    }
    PadRecord& pad = input_devices.pads[index];
    if (!IsMainThread()) {
        return 0;
    }
    const int now = ReadMillisecondClock();
    const bool notice = platform::TakeJoypadNotice(platform::JoypadInstanceId(pad.device));
    if (now == pad.last_poll && !notice) {
        return 0;
    }
    pad.last_poll = now;
    if (!platform::ReadJoypad(pad.device, &pad.state)) {
        pad.state = {};
        return -1;
    }
    return 0;
}

}  // namespace layer
