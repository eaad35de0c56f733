#include "layer/core/window_mode.h"

#include "layer/core/core_settings.h"
#include "layer/core/elapsed_time.h"
#include "layer/core/layer_log.h"
#include "layer/core/message_pump.h"
#include "layer/core/window_mode_texts.h"
#include "layer/core/window_routines.h"
#include "layer/core/window_state.h"
#include "layer/graphics/graphics_services.h"
#include "platform/clock.h"
#include "platform/message_queue.h"
#include "platform/window.h"

namespace layer {
namespace {

// A mode switch that brings no display-change notice stops waiting for one after this long.
constexpr int kDisplayChangeWaitMilliseconds = 2000;

struct Size {
    int width = 0;
    int height = 0;
};

Size ScaledScreenSize(double factor) {
    int width = 0;
    int height = 0;
    GetScreenResolution(&width, &height);
    return {static_cast<int>(width * factor), static_cast<int>(height * factor)};
}

void ReadClientRect() {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    platform::GetClientOrigin(window_state.window, &x, &y);
    platform::GetClientSize(window_state.window, &width, &height);
    window_state.client_rect = {x, y, x + width, y + height};
}

// The frame is centred on the desktop; a frame taller or wider than the desktop keeps its client
// area's top-left corner on the desktop's.
void ApplyWindowModeStyle() {
    WriteLog(kWindowStyleText);
    platform::SetFullScreen(window_state.window, false);
    platform::SetAlwaysOnTop(window_state.window, false);
    const Size client = ScaledScreenSize(CurrentWindowScale());
    const platform::FrameBorders borders = platform::GetFrameBorders(window_state.window);
    const int outer_width = client.width + borders.left + borders.right;
    const int outer_height = client.height + borders.top + borders.bottom;
    int desktop_width = 0;
    int desktop_height = 0;
    GetDesktopMode(&desktop_width, &desktop_height, nullptr);
    platform::SetClientSize(window_state.window, client.width, client.height);
    platform::SetClientOrigin(window_state.window, (desktop_width - outer_width) / 2 + borders.left,
                              (desktop_height - outer_height) / 2 + borders.top);
    ReadClientRect();
    if (window_state.client_rect.left < 0 || window_state.client_rect.top < 0) {
        window_state.client_rect = {0, 0, client.width, client.height};
        platform::SetClientOrigin(window_state.window, 0, 0);
    }
    ApplyCursorVisibility(1);
    WriteLog(kStyleDoneText);
}

void ApplyFullScreenStyle() {
    WriteLog(kFullScreenStyleText);
    const Size screen = ScaledScreenSize(1.0);
    window_state.client_rect = {0, 0, screen.width, screen.height};
    platform::ShowWindow(window_state.window);
    platform::SetFullScreen(window_state.window, true);
    platform::SetAlwaysOnTop(window_state.window, true);
    ApplyCursorVisibility(0);
    WriteLog(kStyleDoneText);
}

void WaitForDisplayChange() {
    const int start = ReadMillisecondClock();
    while (RunMessagePump() == 0 && window_state.display_changed == 0 &&
           MillisecondsSince(start) < kDisplayChangeWaitMilliseconds) {
        platform::SleepMilliseconds(1);
    }
}

}  // namespace

int SetWindowModeFlag(int flag) {
    window_state.window_mode = flag != 0 ? 1 : 0;
    WriteLog(flag != 0 ? kWindowModeFlagSetText : kWindowModeFlagClearedText);
    return 0;
}

int ChangeWindowMode(int flag) {
    WriteLog(kChangeWindowModeText);
    if ((flag != 0 ? 1 : 0) == window_state.window_mode) {
        return 0;
    }
    window_state.shown_once = 1;
    window_state.display_changed = 0;
    SetWindowModeFlag(flag);
    if (window_state.window == nullptr) {
        return 0;
    }
    window_state.switching = 1;
    ApplyWindowStyle();
    const int result = ApplyScreenMode(-1, -1, -1, 1, -1);
    WaitForDisplayChange();
    window_state.switching = 0;
    return result;
}

int ApplyWindowStyle() {
    if (window_state.window == nullptr) {
        return 0;
    }
    if (window_state.window_mode != 0) {
        ApplyWindowModeStyle();
    } else {
        ApplyFullScreenStyle();
    }
    platform::RaiseWindow(window_state.window);
    platform::Message message;
    message.kind = platform::MessageKind::kSetCursor;
    platform::PostWindowMessage(message);
    return 0;
}

int SetWindowScaleCore(double scale) {
    if (scale == window_state.window_scale) {
        return 0;
    }
    window_state.window_scale = scale <= 0.0 ? 1.0 : scale;
    if (window_state.window_mode != 0) {
        ApplyWindowStyle();
    }
    return 0;
}

// Resizing only on a difference: every resize brings a size notice, which fits again.
int FitWindowToScreen() {
    if (window_state.window == nullptr) {
        return 0;
    }
    if (window_state.window_mode != 0) {
        const Size client = ScaledScreenSize(CurrentWindowScale());
        int width = 0;
        int height = 0;
        platform::GetClientSize(window_state.window, &width, &height);
        if (width != client.width || height != client.height) {
            platform::SetClientSize(window_state.window, client.width, client.height);
        }
        if (window_state.shown_once == 0) {
            window_state.shown_once = 1;
            ApplyWindowStyle();
        }
    }
    return 0;
}

int TrackClientAreaMove(int x, int y) {
    if (window_state.window == nullptr) {
        return 0;
    }
    int width = 0;
    int height = 0;
    platform::GetClientSize(window_state.window, &width, &height);
    window_state.client_rect = {x, y, x + width, y + height};
    if (GetDrawTarget() == kDrawTargetFront) {
        const int mask = IsMaskDrawingOn();
        SetMaskDrawing(0);
        SetScreenOffsetRect(window_state.client_rect);
        SetMaskDrawing(mask);
    }
    const Rect& area = core_settings.requested_draw_area;
    SetDrawClipRect(area.left, area.top, area.right, area.bottom);
    return 0;
}

int RefreshFullScreenCursor() {
    if (window_state.window_mode != 0) {
        return 0;
    }
    ReadMousePosition(nullptr, nullptr);
    SetGdiSurfaceMode(GetGdiSurfaceMode());
    ApplyCursorVisibility(window_state.cursor_setting);
    return 0;
}

}  // namespace layer
