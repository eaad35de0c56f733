// Screen-mode changes: the full tear-down and rebuild of screens, 3D side and graphics
// management, the public mode request, and the choice of software drawing.
#include "layer/core/core_settings.h"
#include "layer/core/fatal_stop.h"
#include "layer/core/layer_api.h"
#include "layer/core/layer_log.h"
#include "layer/core/log_console_drawing.h"
#include "layer/core/message_pump.h"
#include "layer/core/system_info.h"
#include "layer/core/time_routines.h"
#include "layer/core/window_mode.h"
#include "layer/core/window_routines.h"
#include "layer/graphics/display_side.h"
#include "layer/graphics/display_texts.h"
#include "layer/graphics/draw_setters.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/graphics_core.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/surface_2d.h"
#include "layer/media/font_system.h"
#include "layer/media/font_table.h"
#include "layer/media/media_services.h"
#include "platform/clock.h"
#include "platform/gfx3d/gl_context.h"

namespace layer {
namespace {

constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;
constexpr int kDefaultBits = 16;
// A monitor needs about two seconds to settle after a mode change.
constexpr int kSettleMilliseconds = 2000;
constexpr int kSettledMilliseconds = 2060;
constexpr int kPlainChangeMilliseconds = 60;
constexpr int kMinimumRefreshRate = 60;
constexpr int kSystemRefreshRate = 60;
constexpr int kFirstNtOsCode = 0x103;

struct ScreenMode {
    int width = 0;
    int height = 0;
    int bits = 0;
    int refresh = 0;
    bool operator==(const ScreenMode&) const = default;
};

constexpr ScreenMode kFallbackMode{kDefaultWidth, kDefaultHeight, kDefaultBits, 0};

ScreenMode CurrentMode() {
    return {direct_draw.screen_width, direct_draw.screen_height, direct_draw.screen_bits,
            direct_draw.refresh};
}

void StoreMode(const ScreenMode& mode) {
    direct_draw.screen_width = mode.width;
    direct_draw.screen_height = mode.height;
    direct_draw.screen_bits = mode.bits;
    direct_draw.refresh = mode.refresh;
}

int Keep(int value, int current) {
    return value == -1 ? current : value;
}

platform::DisplayObject* Display() {
    return direct_draw.object->display;
}

// The standard font's size and thickness outlive the font system's restart.
struct KeptFont {
    bool kept = false;
    char face[kFontFaceNameSize] = {};
    int size = 0;
    int thickness = 0;
};

KeptFont KeepStandardFont() {
    KeptFont font;
    if (TestFontHandle(standard_font_settings.handle) != 0) {
        font.kept = true;
        std::copy(std::begin(standard_font_settings.face), std::end(standard_font_settings.face),
                  font.face);
        font.size = standard_font_settings.size;
        font.thickness = standard_font_settings.thickness;
    }
    return font;
}

void WaitForModeChangeRate() {
    const int now = ReadMillisecondClock();
    const int since = now - direct_draw.last_mode_change_time;
    if (direct_draw.last_mode_change_time != 0 && since < kSettleMilliseconds) {
        platform::SleepMilliseconds(kSettledMilliseconds - since);
    } else {
        platform::SleepMilliseconds(kPlainChangeMilliseconds);
    }
    direct_draw.last_mode_change_time = ReadMillisecondClock();
}

// The display object is made again for the new mode; in full screen the mode falls back to
// the previous one and then to 640 x 480 x 16.
int ChangeModeWithObject(const ScreenMode& previous) {
    WriteLog(kReleasingObjectText);
    platform::SetCooperativeLevel(Display(), graphics_core.window, platform::kCoopNormal);
    if (direct_draw.flags.display_changed != 0) {
        platform::RestoreDisplayMode(Display());
    }
    ReleaseMainClipper();
    platform::ReleaseDisplayObject(Display());
    direct_draw.object = nullptr;
    WriteLog(kObjectReleasedText);
    if (CreateDirectDrawObject(&direct_draw.object) < 0) {
        AbortWithError(kObjectRecreateFailedText);
    }
    CreateMainClipper();
    direct_draw.flags.display_changed = 0;
    if (IsWindowedMode() != 0) {
        if (platform::SetCooperativeLevel(Display(), graphics_core.window, platform::kCoopNormal) !=
            platform::kDisplayOk) {
            AbortWithError(kCooperativeLevelFailedText);
        }
        return 0;
    }
    const int level = platform::SetCooperativeLevel(
        Display(), graphics_core.window, platform::kCoopFullScreen | platform::kCoopExclusive);
    if (level != platform::kDisplayOk && level != platform::kDisplayExclusiveModeAlreadySet) {
        AbortWithError(kCooperativeLevelFailedText);
    }
    WriteLog(kChangingResolutionText);
    const ScreenMode wanted = CurrentMode();
    const struct {
        ScreenMode mode;
        ScreenMode stored;
        int result;
    } ladder[] = {
        {wanted, wanted, 0},
        {{wanted.width, wanted.height, wanted.bits, 0}, wanted, 0},
        {{previous.width, previous.height, previous.bits, 0}, previous, -1},
        {kFallbackMode, kFallbackMode, -2},
    };
    for (const auto& step : ladder) {
        if (platform::SetDisplayMode(Display(), step.mode.width, step.mode.height, step.mode.bits,
                                     step.mode.refresh) == platform::kDisplayOk) {
            StoreMode(step.stored);
            direct_draw.flags.display_changed = 1;
            WriteLog(kSucceededText);
            return step.result;
        }
    }
    AbortWithError(kUnexpectedModeFailure2Text);
}

int ChangeModeWithoutObject(const ScreenMode& previous) {
    direct_draw.flags.display_changed = 0;
    if (IsWindowedMode() != 0) {
        platform::ChangeDisplaySettings(nullptr);
        return 0;
    }
    WriteLog(kChangingResolutionText);
    const ScreenMode wanted = CurrentMode();
    const struct {
        ScreenMode mode;
        int result;
    } ladder[] = {
        {wanted, 0},
        {{wanted.width, wanted.height, wanted.bits, 0}, 0},
        {previous, -1},
        {kFallbackMode, -2},
    };
    for (const auto& step : ladder) {
        platform::DisplaySettingsRequest request{step.mode.width, step.mode.height, step.mode.bits,
                                                 step.mode.refresh};
        if (platform::ChangeDisplaySettings(&request) == platform::kDisplayOk) {
            StoreMode(step.mode);
            direct_draw.flags.display_changed = 1;
            WriteLog(kSucceededText);
            return step.result;
        }
    }
    AbortWithError(kUnexpectedModeFailure2Text);
}

// The first mode of the process: the requested one, else the previous one, else
// 640 x 480 x 16.
int FirstModeChange(const ScreenMode& previous) {
    if (IsWindowedMode() == 0) {
        ApplyWindowStyle();
    }
    int desktop_width = 0;
    int desktop_height = 0;
    GetDesktopMode(&desktop_width, &desktop_height, nullptr);
    const ScreenMode wanted{
        direct_draw.screen_width != 0 ? direct_draw.screen_width : kDefaultWidth,
        direct_draw.screen_height != 0 ? direct_draw.screen_height : kDefaultHeight,
        direct_draw.screen_bits != 0 ? direct_draw.screen_bits : kDefaultBits, direct_draw.refresh};
    StoreMode(wanted);
    auto apply = [&](const ScreenMode& mode) {
        int bits = mode.bits;
        if (ApplyDisplaySettings(desktop_width, desktop_height, mode.width, mode.height, mode.bits,
                                 &bits, IsWindowedMode()) < 0) {
            return false;
        }
        direct_draw.screen_bits = bits;
        return true;
    };
    if (apply(wanted)) {
        return 0;
    }
    StoreMode(previous);
    if (IsWindowedMode() == 0) {
        ApplyWindowStyle();
    }
    const ScreenMode wanted_any_rate{wanted.width, wanted.height, wanted.bits, 0};
    if (!(previous == wanted_any_rate) && apply(previous)) {
        return -1;
    }
    StoreMode(kFallbackMode);
    ApplyWindowStyle();
    if (!apply(kFallbackMode)) {
        AbortWithError(kUnexpectedModeFailureText);
    }
    return -2;
}

void MeasureRefreshRate() {
    direct_draw.display_refresh_rate = -1;
    if (system_info.os_code >= kFirstNtOsCode) {
        const int rate = platform::ReadDisplayRefreshRate();
        direct_draw.display_refresh_rate = rate < kMinimumRefreshRate ? -1 : rate;
    }
    if (IsDirectDrawMode() != 0) {
        MeasureFramePeriod();
    } else {
        direct_draw.display_refresh_rate = kSystemRefreshRate;
        direct_draw.frame_period = -1;
        direct_draw.vertical_blank_sleep_threshold = -1;
    }
}

int BuildScreens(const KeptFont& font) {
    DetectScreenPixelFormat();
    if (IsWindowedMode() != 0 || IsDirectDrawMode() == 0) {
        ApplyWindowStyle();
    }
    if (CreateMainSurfaces() < 0) {
        return WriteLog(kSurfaceStartFailedText);
    }
    if (IsDirectDrawMode() != 0 && direct_draw.flags.no_direct3d == 0 &&
        direct_draw.flags.software_drawing == 0 && StartDirect3D() < 0) {
        ReleaseMainSurfaces();
        return -1;
    }
    StartGraphicsManagement();
    if (font.kept) {
        SetStandardFontMetrics(font.face, font.size, font.thickness);
    }
    InitLogConsole();
    CreateScreenPalette();
    if (IsSoftwareScreenDrawing() == 0) {
        MeasureCopyMethod();
    }
    MeasureRefreshRate();
    return 0;
}

}  // namespace

int ApplyScreenMode(int width, int height, int bits, int force, int refresh) {
    const ScreenMode previous = CurrentMode();
    const ScreenMode wanted{Keep(width, previous.width), Keep(height, previous.height),
                            Keep(bits, previous.bits), Keep(refresh, previous.refresh)};
    if (wanted == previous && force == 0) {
        return 0;
    }
    WriteLog(kScreenModeStartText);
    IncreaseLogIndent();
    const KeptFont font = KeepStandardFont();
    StoreMode(wanted);
    if ((core_settings.started == 0 && core_settings.starting == 0) ||
        (direct_draw.object == nullptr && IsDirectDrawMode() != 0)) {
        DecreaseLogIndent();
        return 0;
    }
    direct_draw.flags.gdi_state_applied = -1;
    WaitForModeChangeRate();
    DisposeAllGraphs(0);
    EndGraphicsManagement();
    EndDirect3D();
    ReleaseScreenPalette();
    ReleaseMainSurfaces();
    const std::uint32_t transparent = draw_settings.transparent_colour;
    const bool after_start = direct_draw.flags.started != 0;
    int result = 0;
    if (after_start) {
        DeleteAllSurfaces2D();
        result = IsDirectDrawMode() != 0 ? ChangeModeWithObject(previous)
                                         : ChangeModeWithoutObject(previous);
    } else {
        result = FirstModeChange(previous);
    }
    if (BuildScreens(font) < 0) {
        DecreaseLogIndent();
        return -1;
    }
    if (after_start) {
        draw_settings.transparent_colour = transparent;
    }
    DecreaseLogIndent();
    WriteLog(kScreenModeDoneText);
    RunMessagePump();
    ResetPresentCount();
    return result;
}

int RequestScreenMode(int width, int height, int bits, int refresh) {
    DisposeAllGraphs(0);
    const ScreenMode previous = CurrentMode();
    const ScreenMode wanted{Keep(width, previous.width != 0 ? previous.width : kDefaultWidth),
                            Keep(height, previous.height != 0 ? previous.height : kDefaultHeight),
                            Keep(bits, GetScreenColourBits()), Keep(refresh, previous.refresh)};
    if (wanted.width == 0 || wanted.height == 0 ||
        (wanted.bits != 8 && wanted.bits != 16 && wanted.bits != 32)) {
        return -1;
    }
    direct_draw.requested_bits = wanted.bits;
    ApplyScreenMode(wanted.width, wanted.height, wanted.bits, 0, wanted.refresh);
    const ScreenMode in_force = CurrentMode();
    if (in_force == wanted) {
        return 0;
    }
    return !(in_force == previous) && in_force == kFallbackMode ? -2 : -1;
}

int SetSoftwareRendering(int flag) {
    if (direct_draw.flags.direct_draw_less != 0) {
        flag = 0;
    }
    if (flag == 0) {
        SetTextureDrawing(0);
        SetGraphsInVideoMemory(0);
        direct_draw.flags.direct_draw_less = 1;
        SetNoDirect3D(1);
        // For good: the window's own surface shows the frames from now on.
        platform::ReleaseGlContext();
    }
    direct_draw.flags.software_drawing = flag == 0 ? 1 : 0;
    if (direct_draw.object != nullptr) {
        const int target = draw_settings.draw_target;
        DisposeAllGraphs(0);
        ApplyScreenMode(-1, -1, -1, 1, -1);
        if (target == kDrawTargetBack || target == kDrawTargetFront) {
            SelectDrawTarget(target);
        }
    }
    return 0;
}

int SetDirectDrawLess(int flag) {
    direct_draw.flags.direct_draw_less = flag != 0 ? 1 : 0;
    return 0;
}

int SetSeparateFrontSurface(int flag) {
    if (direct_draw.object == nullptr) {
        direct_draw.separate_front_mode = flag;
    }
    return 0;
}

}  // namespace layer
