#include <algorithm>

#include "layer/core/input_devices.h"
#include "layer/core/input_system.h"
#include "layer/core/layer_api.h"
#include "layer/core/main_window.h"
#include "layer/core/window_routines.h"

namespace layer {
namespace {

constexpr int kKeyboardAndPads = 1;
constexpr int kMouse = 4;
constexpr int kF10Code = 0x44;
// Lock keys stay down once pressed on some keyboards, so they never count as input.
constexpr int kIgnoredKeys[] = {0x3A, 0x70, 0x94};

int FirstKeyDown() {
    for (int code = 0; code < 256; ++code) {
        if ((input_devices.key_state[code] & 0x80) != 0 &&
            std::find(std::begin(kIgnoredKeys), std::end(kIgnoredKeys), code) ==
                std::end(kIgnoredKeys)) {
            return code;
        }
    }
    return 0;
}

// The position is in screen pixels, so the client area is measured in them too.
bool MouseInClientArea() {
    int x = 0;
    int y = 0;
    ReadMousePosition(&x, &y);
    Rect client;
    GetClientAreaRect(&client);
    const double scale = CurrentWindowScale();
    const int width = static_cast<int>((client.right - client.left) / scale);
    const int height = static_cast<int>((client.bottom - client.top) / scale);
    return x >= 0 && x <= width && y >= 0 && y <= height;
}

}  // namespace

int QueryAnyInput(int flags) {
    PrepareInputQuery();
    if ((flags & kKeyboardAndPads) != 0) {
        PollKeyboard();
        const int key = FirstKeyDown();
        if (key != 0) {
            return key;
        }
        if (input_devices.f10_report != 0) {
            return kF10Code;
        }
        for (int pad = 1; pad <= input_devices.pad_count; ++pad) {
            if (ReadPadBits(pad) != 0) {
                return -1;
            }
        }
    }
    if ((flags & kMouse) != 0 && MouseInClientArea() && IsWindowActive() != 0 &&
        ReadMouseButtons() != 0) {
        return -1;
    }
    return 0;
}

int SetF10ReportFlag(int flag) {
    input_devices.f10_report = flag;
    return 0;
}

}  // namespace layer
