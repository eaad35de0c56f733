#include "layer/graphics/direct_draw_context.h"

#include "layer/graphics/graphics_services.h"

namespace layer {
namespace {

constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;
constexpr int kDefaultBits = 16;
constexpr int kOverlayMinimumWidth = 640;
constexpr int kOverlayMinimumHeight = 400;

int OrDefault(int value, int fallback) {
    return value == 0 ? fallback : value;
}

}  // namespace

DirectDrawContext direct_draw;

int GetScreenResolution(int* width, int* height) {
    if (width != nullptr) {
        *width = OrDefault(direct_draw.screen_width, kDefaultWidth);
    }
    if (height != nullptr) {
        *height = OrDefault(direct_draw.screen_height, kDefaultHeight);
    }
    return 0;
}

int GetScreenColourBits() {
    return OrDefault(direct_draw.requested_bits, kDefaultBits);
}

DirectDrawObject* GetDirectDrawObject() {
    return direct_draw.object;
}

int IsDirectDrawMode() {
    return direct_draw.flags.direct_draw_less == 0 ? 1 : 0;
}

int IsSoftwareDrawMode() {
    return direct_draw.flags.software_drawing;
}

int IsDirect3DDisabled() {
    return direct_draw.flags.no_direct3d;
}

int IsDisplayModeChanged() {
    return direct_draw.flags.display_changed;
}

int GetDirectDrawCaps(platform::DisplayCaps* caps) {
    *caps = direct_draw.caps;
    return 0;
}

const DdPixelFormat* GetOverlayPixelFormat() {
    int width = 0;
    int height = 0;
    GetScreenResolution(&width, &height);
    if (direct_draw.overlay_format_index < 0 || width < kOverlayMinimumWidth ||
        height < kOverlayMinimumHeight) {
        return nullptr;
    }
    return &direct_draw.overlay_format;
}

int GetDisplayRefreshRate() {
    return direct_draw.display_refresh_rate;
}

const PixelFormat* GetScreenPixelFormat() {
    return &direct_draw.screen_format;
}

const DdPixelFormat* GetPrimaryPixelFormat() {
    return &direct_draw.screen_dd_format;
}

int IsDirectDrawMissing() {
    return IsDirectDrawMode() != 0 && direct_draw.object == nullptr ? 1 : 0;
}

int SoftwareScreenColourType() {
    return GetScreenColourBits() == 16 ? 0 : 1;
}

int IsSoftwareScreenDrawing() {
    return direct_draw.flags.software_drawing != 0 &&
                   OrDefault(direct_draw.screen_bits, kDefaultBits) != 8
               ? 1
               : 0;
}

}  // namespace layer
