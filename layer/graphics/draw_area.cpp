// The draw area inside the current target, and the screen's offset inside the window.
#include <algorithm>

#include "layer/core/core_settings.h"
#include "layer/core/main_window.h"
#include "layer/core/window_routines.h"
#include "layer/core/layer_log.h"
#include "layer/graphics/device_state.h"
#include "layer/graphics/direct3d_texts.h"
#include "layer/graphics/draw_setters.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/graphics_core.h"
#include "layer/graphics/graphics_services.h"

namespace layer {
namespace {

// The rectangle the draw area may cover on the current target. The front screen is limited
// to the part of the window's client area that lies on the desktop.
Rect TargetBounds() {
    int width = 0;
    int height = 0;
    GetGraphDimensions(draw_settings.draw_target, &width, &height);
    Rect bounds{0, 0, width, height};
    if (draw_settings.draw_target == kDrawTargetFront) {
        Rect client;
        GetClientAreaRect(&client);
        int desktop_width = 0;
        int desktop_height = 0;
        GetDesktopMode(&desktop_width, &desktop_height, nullptr);
        bounds.left = std::max(0, -client.left);
        bounds.top = std::max(0, -client.top);
        bounds.right = std::max(bounds.left, std::min(width, desktop_width - client.left));
        bounds.bottom = std::max(bounds.top, std::min(height, desktop_height - client.top));
    }
    return bounds;
}

const char* TargetName() {
    switch (draw_settings.draw_target) {
        case kDrawTargetFront:
            return "Front Buffer";
        case kDrawTargetBack:
            return "Back Buffer";
        default:
            return "Image Buffer";
    }
}

// The device's viewport is the area, and its projection keeps 3D geometry where it lies on
// the target whatever the viewport.
void ApplyAreaToDevice(const Rect& area) {
    if (SetViewportFromRect(area) < 0) {
        WriteLogFormat(kAreaViewportFailedFormat, TargetName());
    }
    const float width = static_cast<float>(area.right - area.left);
    const float height = static_cast<float>(area.bottom - area.top);
    BuildScreenMatrix(&draw_settings.area_screen, area.left + width / 2, area.top + height / 2,
                      width, height);
    InvertMatrix44(&draw_settings.area_screen_inverse, draw_settings.area_screen);
    HandProjectionToDevice();
}

}  // namespace

int SetDrawClipRect(int x1, int y1, int x2, int y2) {
    core_settings.requested_draw_area = {x1, y1, x2, y2};
    if (draw_settings.draw_target != kDrawTargetBack &&
        draw_settings.draw_target != kDrawTargetFront &&
        IsGraphHandleLive(draw_settings.draw_target) == 0) {
        return 0;
    }
    const Rect bounds = TargetBounds();
    Rect area{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
    area.left = std::clamp(area.left, bounds.left, bounds.right);
    area.right = std::clamp(area.right, bounds.left, bounds.right);
    area.top = std::clamp(area.top, bounds.top, bounds.bottom);
    area.bottom = std::clamp(area.bottom, bounds.top, bounds.bottom);
    draw_settings.draw_area = area;
    draw_settings.draw_area_float = {static_cast<float>(area.left), static_cast<float>(area.top),
                                     static_cast<float>(area.right),
                                     static_cast<float>(area.bottom)};
    draw_settings.area_empty = area.left == area.right || area.top == area.bottom ? 1 : 0;
    if (draw_settings.area_empty == 0 && graphics_core.use_3d != 0) {
        ApplyAreaToDevice(area);
    }
    return 0;
}

int GetDrawClipRect(Rect* rect) {
    *rect = draw_settings.draw_area;
    return 0;
}

int SetScreenOffsetRect(const Rect& rect) {
    draw_settings.screen_offset = rect;
    return 0;
}

}  // namespace layer
