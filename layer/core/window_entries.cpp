// The entries on the window, its settings, the mouse and waiting.
#include <algorithm>
#include <cstdio>
#include <string_view>

#include "layer/core/double_byte_text.h"
#include "layer/core/elapsed_time.h"
#include "layer/core/input_system.h"
#include "layer/core/layer_api.h"
#include "layer/core/window_mode.h"
#include "layer/core/window_routines.h"
#include "layer/core/window_state.h"
#include "layer/graphics/graphics_services.h"
#include "platform/clock.h"
#include "platform/window.h"

namespace layer {
namespace {

constexpr int kDefaultIconId = 0x7F00;
// Keyboard, pads and mouse.
constexpr int kAnyInputFlags = 7;
// What a confirmed key wait answers: the Enter key.
constexpr int kEnterKeyCode = 28;

}  // namespace

int IsMouseCursorShown() {
    return window_state.cursor_setting;
}

double GetWindowScale() {
    return CurrentWindowScale();
}

int RequestWindowMode(int window_flag) {
    return ChangeWindowMode(window_flag);
}

int SetWindowScale(double scale) {
    return SetWindowScaleCore(scale);
}

// A title longer than 255 bytes is cut before the character that would cross that length.
int SetWindowCaption(const char* text) {
    const std::string_view caption = text != nullptr ? text : "";
    const std::size_t length =
        TrimToCharBoundary(caption.data(), std::min(caption.size(), kWindowTextMaxLength));
    window_state.window_text.assign(caption.data(), length);
    if (window_state.window != nullptr) {
        platform::SetWindowTitle(window_state.window, window_state.window_text);
    }
    return 0;
}

int SetRunWhileInactive(int flag) {
    window_state.run_while_inactive = flag;
    return 0;
}

int ChooseWindowIcon(int resource_id) {
    window_state.icon_id = resource_id;
    if (window_state.window != nullptr) {
        platform::SetWindowIcon(window_state.window,
                                resource_id == 0 ? kDefaultIconId : resource_id);
    }
    return 0;
}

int WaitMilliseconds(int milliseconds) {
    const int start = ReadMillisecondClock();
    int pumped = PumpMessages();
    while (pumped == 0 && MillisecondsSince(start) < milliseconds) {
        platform::SleepMilliseconds(1);
        pumped = PumpMessages();
    }
    return 0;
}

int ShowMouseCursor(int flag) {
    return ApplyCursorVisibility(flag);
}

int GetMousePosition(int* x, int* y) {
    return ReadMousePosition(x, y);
}

// The window system places the cursor in client coordinates, so the client origin is not
// added; in window mode the position is not scaled either.
int SetMousePosition(int x, int y) {
    int width = 0;
    int height = 0;
    GetScreenResolution(&width, &height);
    if (window_state.window != nullptr) {
        platform::WarpMouse(window_state.window, std::clamp(x, 0, width), std::clamp(y, 0, height));
    }
    return 0;
}

int TakeMouseWheelDelta() {
    const int notches = window_state.wheel_count;
    window_state.wheel_count = 0;
    return notches;
}

int CheckAnyInput(int flags) {
    return QueryAnyInput(flags);
}

// Waits for a new press: whatever is held at the call must be let go first.
int WaitForAnyKey() {
    if (GetTestHooks().auto_confirm != 0) {
        std::fputs("qvarn: waiting for a key (confirmed)\n", stderr);
        return kEnterKeyCode;
    }
    while (PumpMessages() == 0 && CheckAnyInput(kAnyInputFlags) != 0) {
        platform::SleepMilliseconds(1);
    }
    while (PumpMessages() == 0) {
        const int input = CheckAnyInput(kAnyInputFlags);
        if (input != 0) {
            return input;
        }
        platform::SleepMilliseconds(1);
    }
    return 0;
}

}  // namespace layer
