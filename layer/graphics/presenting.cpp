// Presenting the frame: a flip in full screen, a copy of the back screen into the window
// otherwise, and the software back screen through the presenter without display surfaces.
#include "layer/core/fatal_stop.h"
#include "layer/core/layer_api.h"
#include "layer/core/log_console.h"
#include "layer/core/log_console_drawing.h"
#include "layer/core/main_window.h"
#include "layer/core/message_pump.h"
#include "layer/core/window_routines.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/draw_setters.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/front_screen.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/main_surface_texts.h"
#include "layer/graphics/software_frame.h"
#include "layer/softrender/draw_state.h"
#include "layer/softrender/memimg_convert.h"
#include "platform/clock.h"

namespace layer {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr int kHalfSizeWidth = 640;
constexpr int kHalfSizeHeight = 480;

bool HalfSize() {
    return draw_settings.present_option != 0;
}

bool VsyncWaiting() {
    return GetVsyncWait() != 0;
}

// The console is drawn over the frame with plain settings, which are put back afterwards.
void DrawLogConsoleOverFrame() {
    if (log_console.shown == 0) {
        return;
    }
    const Rect area = draw_settings.draw_area;
    const int mode = draw_settings.blend_mode;
    const int parameter = draw_settings.blend_parameter;
    const std::uint32_t bright = draw_settings.bright_colour;
    int width = 0;
    int height = 0;
    GetScreenResolution(&width, &height);
    SetDrawClipRect(0, 0, width, height);
    SetBlendMode(BlendNone, 0);
    SetBrightColour(kWhite);
    DrawLogConsole();
    SetDrawClipRect(area.left, area.top, area.right, area.bottom);
    SetBlendMode(mode, parameter);
    SetBrightColour(bright);
}

Rect Scaled(const Rect& rect, double scale) {
    return {static_cast<int>(rect.left / scale), static_cast<int>(rect.top / scale),
            static_cast<int>(rect.right / scale), static_cast<int>(rect.bottom / scale)};
}

platform::DisplayRect ToDisplayRect(const Rect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

Rect Moved(const Rect& rect, int x, int y) {
    return {rect.left + x, rect.top + y, rect.right + x, rect.bottom + y};
}

// The back image written into the back surface's memory, through a lock or in place.
void CopyBackImageToSurface() {
    if (direct_draw.back_image_over_surface != 0) {
        platform::UnlockSurface(direct_draw.back);
        return;
    }
    platform::SurfaceDescription locked;
    if (platform::LockSurface(direct_draw.back, nullptr, &locked, platform::kLockWait) !=
        platform::kDisplayOk) {
        AbortWithError(kBackLockFailedText);
    }
    const MEMIMG& back = direct_draw.back_image;
    GraphImage target;
    target.format = direct_draw.screen_format;
    target.width = back.Width;
    target.height = back.Height;
    target.pitch = locked.pitch;
    target.pixels = locked.pixels;
    StoreMemImgInGraphImage(&target, &back, 0, 0, back.Width, back.Height, 0, 0, 0, 0);
    target.pixels = nullptr;
    platform::UnlockSurface(direct_draw.back);
}

// The back surface is locked again and the back image laid over its new memory.
void RelockBackImage() {
    if (direct_draw.back_image_over_surface == 0) {
        return;
    }
    platform::SurfaceDescription locked;
    if (platform::LockSurface(direct_draw.back, nullptr, &locked, platform::kLockWait) !=
        platform::kDisplayOk) {
        AbortWithError(kBackLockFailedText);
    }
    MEMIMG& back = direct_draw.back_image;
    const int width = back.Width;
    const int height = back.Height;
    const int colour_type = back.Body->ColorType;
    ReleaseMemImg(&back);
    back = MEMIMG{};
    SetupMemImg(&back, width, height, locked.pitch, 0, colour_type, 0, 0, 0, locked.pixels);
}

void PresentSoftwareScreens(const Rect& destination, const Rect& source, const Rect& client) {
    const MEMIMG& back = direct_draw.back_image;
    if (TestMemImgValid(&back) == 0) {
        return;
    }
    if (IsDirectDrawMode() == 0) {
        if (VsyncWaiting()) {
            WaitVerticalBlankSleeping();
        }
        PresentSoftwareImage(back, destination, source);
        return;
    }
    CopyBackImageToSurface();
    if (VsyncWaiting()) {
        WaitVerticalBlankSleeping();
    }
    const platform::DisplayRect to = ToDisplayRect(Moved(destination, client.left, client.top));
    const platform::DisplayRect from = ToDisplayRect(source);
    platform::BltSurface(direct_draw.primary, &to, direct_draw.back, &from, platform::kBltWait, 0);
    RelockBackImage();
}

void PresentHardwareScreens(const Rect& destination, const Rect& source, const Rect& client) {
    FlushVertexBatch();
    EndScene3D();
    if (VsyncWaiting()) {
        WaitVerticalBlankSleeping();
    }
    const platform::DisplayRect from = ToDisplayRect(source);
    if (IsWindowedMode() != 0) {
        const platform::DisplayRect to = ToDisplayRect(Moved(destination, client.left, client.top));
        platform::BltSurface(direct_draw.primary, &to, direct_draw.back, &from, platform::kBltWait,
                             0);
    } else if (direct_draw.flags.gdi_mode_requested != 0 || IsWindowMenuEnabled() != 0 ||
               HalfSize()) {
        platform::BltSurface(direct_draw.primary, nullptr, direct_draw.back, &from,
                             platform::kBltWait, 0);
    } else {
        platform::BltFastSurface(direct_draw.primary, 0, 0, direct_draw.back, &from,
                                 platform::kBltFastWait);
    }
}

}  // namespace

int PresentFrame() {
    if (IsDirectDrawMissing() != 0) {
        return -1;
    }
    WaitWhileInactive();
    if (IsSoftwareDrawMode() != 0 || direct_draw.flags.gdi_mode_requested != 0 ||
        IsDirectDrawMode() == 0 || IsWindowedMode() != 0 || IsWindowMenuEnabled() != 0 ||
        HalfSize()) {
        return PresentBackScreen(nullptr);
    }
    DrawLogConsoleOverFrame();
    if (draw_settings.draw_target == kDrawTargetFront && VsyncWaiting()) {
        CountPresent();
        return WaitVerticalBlankPumping(1);
    }
    FlushVertexBatch();
    EndScene3D();
    platform::FlipSurface(direct_draw.primary,
                          platform::kFlipWait | (VsyncWaiting() ? 0u : platform::kFlipNoVsync));
    if (VsyncWaiting()) {
        platform::SleepMilliseconds(1);
    }
    CountPresent();
    return 0;
}

int PresentBackScreen(const Rect* rect) {
    if (IsDirectDrawMissing() != 0 || direct_draw.object == nullptr) {
        return -1;
    }
    DrawLogConsoleOverFrame();
    if (draw_settings.draw_target == kDrawTargetFront) {
        CountPresent();
        return WaitVerticalBlankPumping(1);
    }
    int width = 0;
    int height = 0;
    GetScreenResolution(&width, &height);
    Rect source{0, 0, width, height};
    if (HalfSize() && width == kHalfSizeWidth && height == kHalfSizeHeight) {
        source = {0, 0, width / 2, height / 2};
    }
    Rect client;
    GetClientAreaRect(&client);
    Rect destination = source;
    if (IsWindowedMode() != 0) {
        const double scale = CurrentWindowScale();
        destination = {0, 0, static_cast<int>(scale * width), static_cast<int>(scale * height)};
        if (rect != nullptr && !HalfSize()) {
            destination = *rect;
            source = Scaled(*rect, scale);
        }
    } else {
        client = {};
    }
    if (IsSoftwareScreenDrawing() != 0) {
        PresentSoftwareScreens(destination, source, client);
        direct_draw.capture_needed = 1;
    } else {
        PresentHardwareScreens(destination, source, client);
    }
    CountPresent();
    return 0;
}

}  // namespace layer
