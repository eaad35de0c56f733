// The display mode and cooperative level behind a screen mode: window mode keeps the desktop,
// full screen sets the mode through the display object or, without one, the system's own
// mode switch.
#include "layer/core/core_settings.h"
#include "layer/core/fatal_stop.h"
#include "layer/core/layer_api.h"
#include "layer/core/layer_log.h"
#include "layer/core/window_routines.h"
#include "layer/core/window_state.h"
#include "layer/graphics/display_side.h"
#include "layer/graphics/display_texts.h"
#include "layer/graphics/graphics_core.h"
#include "layer/graphics/graphics_services.h"

namespace layer {
namespace {

constexpr int kUnsupportedBits = 24;
constexpr std::uint32_t kExclusive = platform::kCoopFullScreen | platform::kCoopExclusive;

std::uint32_t CooperativeExtras() {
    return (core_settings.fpu_preserve != 0 ? platform::kCoopFpuPreserve : 0u) |
           (direct_draw.flags.multithreaded != 0 ? platform::kCoopMultithreaded : 0u);
}

std::uint32_t MultithreadedBit() {
    return direct_draw.flags.multithreaded != 0 ? platform::kCoopMultithreaded : 0u;
}

platform::DisplayObject* Display() {
    return direct_draw.object != nullptr ? direct_draw.object->display : nullptr;
}

int SetNormalLevel() {
    return platform::SetCooperativeLevel(Display(), graphics_core.window,
                                         platform::kCoopNormal | CooperativeExtras());
}

// The system's own switch, first with the refresh rate, then letting the system choose it.
bool ChangeSystemMode(int width, int height, int bits, int refresh) {
    platform::DisplaySettingsRequest request{width, height, bits, refresh};
    if (platform::ChangeDisplaySettings(&request) == platform::kDisplayOk) {
        return true;
    }
    request.refresh = 0;
    return platform::ChangeDisplaySettings(&request) == platform::kDisplayOk;
}

int ApplyWindowMode(int desktop_width, int desktop_height, int width, int height, int* out_bits) {
    WriteLog(kWindowModeText);
    if (width > desktop_width || height > desktop_height) {
        AbortWithError(kDesktopTooSmallText);
    }
    if (direct_draw.flags.display_changed != 0) {
        WriteLog(kLeavingFullScreenText);
        if (IsDirectDrawMode() != 0) {
            platform::RestoreDisplayMode(Display());
        } else {
            platform::ChangeDisplaySettings(nullptr);
        }
        direct_draw.flags.display_changed = 0;
    }
    int desktop_bits = 0;
    GetDesktopMode(nullptr, nullptr, &desktop_bits);
    if (desktop_bits == kUnsupportedBits) {
        return -1;
    }
    if (out_bits != nullptr) {
        *out_bits = desktop_bits;
    }
    if (IsDirectDrawMode() != 0) {
        if (SetNormalLevel() != platform::kDisplayOk) {
            AbortWithError(kCooperativeLevelFailedText);
        }
        direct_draw.cooperative_flags = platform::kCoopNormal | MultithreadedBit();
    }
    return 0;
}

int ApplyFullScreenMode(int width, int height, int bits, int* out_bits) {
    if (bits == kUnsupportedBits) {
        return -1;
    }
    WriteLog(kChangingResolutionText);
    bool changed = false;
    if (IsDirectDrawMode() != 0) {
        const int level = platform::SetCooperativeLevel(Display(), graphics_core.window,
                                                        kExclusive | CooperativeExtras());
        if (level != platform::kDisplayOk && level != platform::kDisplayExclusiveModeAlreadySet) {
            AbortWithError(kCooperativeLevelFailedText);
        }
        direct_draw.cooperative_flags = kExclusive | MultithreadedBit();
        changed = platform::SetDisplayMode(Display(), width, height, bits, direct_draw.refresh) ==
                  platform::kDisplayOk;
        if (!changed) {
            direct_draw.refresh = 0;
            changed =
                platform::SetDisplayMode(Display(), width, height, bits, 0) == platform::kDisplayOk;
        }
    } else {
        changed = ChangeSystemMode(width, height, bits, direct_draw.refresh);
        if (!changed) {
            direct_draw.refresh = 0;
        }
    }
    if (!changed) {
        return WriteLog(kModeChangeFailedText);
    }
    if (out_bits != nullptr) {
        *out_bits = bits;
    }
    direct_draw.flags.display_changed = 1;
    WriteLog(kSucceededText);
    return 0;
}

}  // namespace

int ApplyDisplaySettings(int desktop_width, int desktop_height, int width, int height, int bits,
                         int* out_bits, int window_flag) {
    WriteLogFormat(kDisplaySettingsStartFormat, static_cast<unsigned>(width),
                   static_cast<unsigned>(height), static_cast<unsigned>(bits));
    IncreaseLogIndent();
    const int result = window_flag != 0
                           ? ApplyWindowMode(desktop_width, desktop_height, width, height, out_bits)
                           : ApplyFullScreenMode(width, height, bits, out_bits);
    DecreaseLogIndent();
    if (result < 0) {
        return -1;
    }
    WriteLog(kDisplaySettingsDoneText);
    return 0;
}

int RestoreDisplaySettings() {
    if (IsDirectDrawMode() == 0) {
        platform::ChangeDisplaySettings(nullptr);
    } else {
        if (Display() == nullptr) {
            return -1;
        }
        if ((direct_draw.cooperative_flags & platform::kCoopExclusive) != 0) {
            SetNormalLevel();
            platform::RestoreDisplayMode(Display());
        }
    }
    direct_draw.flags.display_changed = 0;
    WriteLog(kDisplayRestoredText);
    return 0;
}

int ReapplyDisplaySettings() {
    int desktop_width = 0;
    int desktop_height = 0;
    GetDesktopMode(&desktop_width, &desktop_height, nullptr);
    return ApplyDisplaySettings(desktop_width, desktop_height, direct_draw.screen_width,
                                direct_draw.screen_height, direct_draw.screen_bits, nullptr,
                                IsWindowedMode());
}

int RestoreDisplaySettingsOnLoss() {
    if (IsWindowedMode() != 0 || direct_draw.flags.display_changed == 0) {
        return 0;
    }
    if (IsDirectDrawMode() != 0) {
        SetNormalLevel();
        platform::RestoreDisplayMode(Display());
        direct_draw.flags.display_changed = 0;
    } else {
        platform::ChangeDisplaySettings(nullptr);
    }
    return 0;
}

}  // namespace layer
