#include "layer/core/window_routines.h"

#include "layer/core/core_settings.h"
#include "layer/core/layer_api.h"
#include "layer/core/window_menu.h"
#include "layer/core/window_state.h"
#include "platform/message_queue.h"
#include "platform/window.h"

namespace layer {

int IsWindowActive() {
    return window_state.active;
}

int IsQuitRequested() {
    return window_state.quit_requested;
}

int IsWindowDestroyed() {
    return window_state.quit;
}

int IsWindowedMode() {
    return window_state.window_mode;
}

platform::Window* GetLayerWindow() {
    return window_state.window;
}

int IsWindowMenuEnabled() {
    return window_state.menu_in_use;
}

int HasWindowRegion() {
    return 0;
}

int IsMmxEnabled() {
    return system_info.has_mmx ? 1 : 0;
}

const SystemInfo& GetOsDescription() {
    return system_info;
}

double CurrentWindowScale() {
    if (window_state.window_mode == 0) {
        return 1.0;
    }
    if (window_state.window_scale <= 0.0) {
        window_state.window_scale = 1.0;
    }
    return window_state.window_scale;
}

int GetDesktopMode(int* width, int* height, int* bits) {
    platform::DesktopMode desktop;
    if (core_settings.started != 0) {
        desktop = {system_info.desktop_width, system_info.desktop_height,
                   system_info.desktop_colour_bits};
    } else {
        desktop = platform::ReadDesktopMode();
    }
    if (width != nullptr) {
        *width = desktop.width;
    }
    if (height != nullptr) {
        *height = desktop.height;
    }
    if (bits != nullptr) {
        *bits = desktop.bits;
    }
    return 0;
}

// The window system reports client positions; in window mode they are scaled back to screen
// pixels. In full screen the window shows the screen unscaled at its origin.
int ReadMousePosition(int* x, int* y) {
    int client_x = 0;
    int client_y = 0;
    if (window_state.window != nullptr) {
        platform::ReadMouse(window_state.window, &client_x, &client_y);
    }
    if (window_state.window_mode != 0) {
        const double scale = CurrentWindowScale();
        client_x = static_cast<int>(client_x / scale);
        client_y = static_cast<int>((client_y - GetToolBarHeight()) / scale);
    }
    if (x != nullptr) {
        *x = client_x;
    }
    if (y != nullptr) {
        *y = client_y;
    }
    return 0;
}

int ApplyCursorVisibility(int shown) {
    window_state.cursor_setting = shown;
    const int wanted = shown == 1 || IsCursorShownForMenu() != 0 ? 1 : 0;
    if (wanted == window_state.cursor_shown) {
        return 0;
    }
    platform::ShowCursor(wanted != 0);
    window_state.cursor_shown = wanted;
    if (window_state.window != nullptr) {
        platform::Message message;
        message.kind = platform::MessageKind::kSetCursor;
        platform::PostWindowMessage(message);
    }
    return 0;
}

int DrawInactiveImage() {
    return 0;
}

}  // namespace layer
