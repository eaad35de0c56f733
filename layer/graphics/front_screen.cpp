// The front screen as a draw target: software draws onto it are shown at once and the window
// is read back first when a presentation changed it; the GDI-visible mode; the vertical-blank
// waits of presenting.
#include "layer/graphics/front_screen.h"

#include <algorithm>
#include <vector>

#include "layer/core/layer_api.h"
#include "layer/core/main_window.h"
#include "layer/core/message_pump.h"
#include "layer/core/time_routines.h"
#include "layer/core/window_routines.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/software_frame.h"
#include "layer/softrender/memimg_convert.h"
#include "platform/clock.h"
#include "platform/presenter.h"

namespace layer {
namespace {

Rect ScreenRect() {
    Rect rect;
    GetScreenResolution(&rect.right, &rect.bottom);
    return rect;
}

GraphImage ImageOverLock(const platform::SurfaceDescription& locked, const PixelFormat& format,
                         int width, int height) {
    GraphImage image;
    image.format = format;
    image.width = width;
    image.height = height;
    image.pitch = locked.pitch;
    image.pixels = locked.pixels;
    return image;
}

bool InBlank() {
    int in_blank = 0;
    platform::GetVerticalBlankStatus(direct_draw.object->display, &in_blank);
    return in_blank != 0;
}

// Polls the blank state until it is `wanted`, pumping the window's messages in 1 ms steps.
// False when the pump fails or the window is gone.
bool PumpUntilBlank(bool wanted) {
    while (InBlank() != wanted) {
        if (RunMessagePump() < 0) {
            return false;
        }
        platform::SleepMilliseconds(1);
    }
    return true;
}

}  // namespace

int GetFrontScreenRect(Rect* rect) {
    Rect client;
    GetClientAreaRect(&client);
    int width = 0;
    int height = 0;
    GetScreenResolution(&width, &height);
    *rect = {client.left, client.top, client.left + width, client.top + height};
    return 0;
}

int PresentScreenRect(const Rect& rect) {
    Rect shown = rect;
    ClipRect(&shown, ScreenRect());
    if (shown.right <= shown.left || shown.bottom <= shown.top) {
        return 0;
    }
    MEMIMG& front = direct_draw.primary_image;
    if (TestMemImgValid(&front) == 0) {
        return 0;
    }
    if (IsDirectDrawMode() == 0) {
        PresentSoftwareImage(front, shown, shown);
        return 0;
    }
    Rect origin;
    GetFrontScreenRect(&origin);
    const platform::DisplayRect area{origin.left + shown.left, origin.top + shown.top,
                                     origin.left + shown.right, origin.top + shown.bottom};
    platform::DisplaySurface* surface = direct_draw.primary;
    platform::SurfaceDescription locked;
    if (surface == nullptr ||
        platform::LockSurface(surface, &area, &locked,
                              platform::kLockWait | platform::kLockWriteOnly) !=
            platform::kDisplayOk) {
        return -1;
    }
    const int width = shown.right - shown.left;
    const int height = shown.bottom - shown.top;
    GraphImage target = ImageOverLock(locked, direct_draw.screen_format, width, height);
    StoreMemImgInGraphImage(&target, &front, shown.left, shown.top, width, height, 0, 0, 0, 0);
    target.pixels = nullptr;
    platform::UnlockSurface(surface);
    return 0;
}

int CaptureScreenToSoftImage() {
    if ((IsDirectDrawMode() != 0 && IsSoftwareScreenDrawing() == 0) ||
        direct_draw.capture_needed == 0 || TestMemImgValid(&direct_draw.primary_image) == 0) {
        return 0;
    }
    MEMIMG& front = direct_draw.primary_image;
    if (IsDirectDrawMode() == 0) {
        ReadWindowIntoSoftwareImage(&front);
    } else {
        Rect origin;
        GetFrontScreenRect(&origin);
        const platform::DisplayRect area{origin.left, origin.top, origin.left + front.Width,
                                         origin.top + front.Height};
        platform::SurfaceDescription locked;
        if (direct_draw.primary == nullptr ||
            platform::LockSurface(direct_draw.primary, &area, &locked,
                                  platform::kLockWait | platform::kLockReadOnly) !=
                platform::kDisplayOk) {
            return -1;
        }
        GraphImage source =
            ImageOverLock(locked, direct_draw.screen_format, front.Width, front.Height);
        StoreGraphImageInMemImg(&source, nullptr, &front, 0, 0, front.Width, front.Height, 0, 0, 0);
        source.pixels = nullptr;
        platform::UnlockSurface(direct_draw.primary);
    }
    direct_draw.capture_needed = 0;
    return 0;
}

int GetGdiSurfaceMode() {
    return direct_draw.flags.gdi_mode_requested;
}

int SetGdiSurfaceMode(int mode) {
    const int wanted = mode == 1 || IsWindowMenuEnabled() != 0 ? 1 : 0;
    if (wanted == direct_draw.flags.gdi_state_applied) {
        return 0;
    }
    direct_draw.flags.gdi_mode_requested = mode;
    if (direct_draw.object == nullptr) {
        return 0;
    }
    // Selecting the screens again applies the clipper rules of the new state.
    const Rect area = draw_settings.draw_area;
    const int target = draw_settings.draw_target;
    direct_draw.flags.gdi_state_applied = wanted;
    SelectDrawTarget(kDrawTargetBack);
    SelectDrawTarget(kDrawTargetFront);
    SelectDrawTarget(target);
    SetDrawClipRect(area.left, area.top, area.right, area.bottom);
    return 0;
}

int WaitVerticalBlankSleeping() {
    if (direct_draw.object == nullptr) {
        return 0;
    }
    const int threshold = direct_draw.vertical_blank_sleep_threshold;
    if (threshold >= 0 &&
        ReadMillisecondClock() - direct_draw.last_vertical_blank_wait < threshold) {
        while (ReadMillisecondClock() - direct_draw.last_vertical_blank_wait < threshold) {
            platform::SleepMilliseconds(1);
        }
        platform::WaitForVerticalBlank(direct_draw.object->display);
    } else {
        platform::SleepMilliseconds(0);
        if (!InBlank()) {
            platform::WaitForVerticalBlank(direct_draw.object->display);
        }
    }
    direct_draw.last_vertical_blank_wait = ReadMillisecondClock();
    return 0;
}

int WaitVerticalBlankPumping(int count) {
    if (direct_draw.object == nullptr) {
        return -1;
    }
    WaitWhileInactive();
    if (count == 0) {
        PumpUntilBlank(true);
        return 0;
    }
    for (int blank = 0; blank < count; ++blank) {
        if (!PumpUntilBlank(false) || !PumpUntilBlank(true) || RunMessagePump() < 0) {
            return -1;
        }
    }
    return 0;
}

}  // namespace layer
