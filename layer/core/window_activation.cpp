// The window procedure's answers to activation and to display changes: what the display lost
// is restored or rebuilt, or the window closes when that cannot be done.
#include "layer/core/core_settings.h"
#include "layer/core/ime.h"
#include "layer/core/input_system.h"
#include "layer/core/layer_log.h"
#include "layer/core/window_procedure.h"
#include "layer/core/window_state.h"
#include "layer/core/window_texts.h"
#include "layer/graphics/graphics_services.h"
#include "layer/media/media_services.h"
#include "platform/message_queue.h"
#include "platform/window.h"

namespace layer {
namespace {

using platform::Message;

void RequestClose() {
    if (window_state.quit_requested != 0) {
        return;
    }
    window_state.quit_requested = 1;
    Message close;
    close.kind = platform::MessageKind::kClose;
    platform::PostWindowMessage(close);
}

void OnActivated(const Message& message) {
    if (IsImeSwitchedOn() != 0 && IsImeOpen() != 0) {
        StartImeRestore();
    }
    RestoreSurfaces2D();
    RestoreSurfaces3D();
    if (window_state.window_mode == 0 && core_settings.started != 0) {
        if (message.minimized == 0) {
            RecreateGraphicsAfterLoss();
        }
        ResumeAllMovies();
    } else if (window_state.run_while_inactive == 0) {
        ResumeAllMovies();
    }
    ReacquireInputDevices();
}

// False when the lost display cannot be restored and the window is to close.
bool OnDeactivated() {
    if (window_state.window_mode == 0 && IsDisplayModeChanged() != 0) {
        if (IsDirectDrawMode() == 0) {
            ReleaseDirectDrawObject();
            platform::MinimizeWindow(window_state.window);
        } else {
            ReleaseDirect3DObject();
        }
        if (IsDisplayModeChanged() != 0 && GetDirectDrawObject() != nullptr) {
            if (HasGraphRestoreHandler() == 0) {
                WriteLog(kNoRestoreHandlerText);
                RequestClose();
                return false;
            }
            SuspendAllMovies();
            return true;
        }
    }
    if (window_state.run_while_inactive == 0) {
        SuspendAllMovies();
    }
    ReacquireInputDevices();
    return true;
}

// A display the screen no longer fits, or whose depth cannot be drawn on, ends the game.
bool CannotRepair(const Message& message, int width, int height, int bits) {
    return HasGraphRestoreHandler() == 0 || message.depth == 24 ||
           (message.depth != bits && message.depth == 8) || width > message.width ||
           height > message.height;
}

}  // namespace

int HandleActivation(const Message& message) {
    window_state.active = message.active != 0 ? 1 : 0;
    if (window_state.creating != 0) {
        return 0;
    }
    if (window_state.active != 0) {
        OnActivated(message);
    } else if (!OnDeactivated()) {
        return 0;
    }
    ApplyPadVibration();
    return 0;
}

int HandleDisplayChange(const Message& message) {
    if (window_state.window_mode != 0 && window_state.switching == 0) {
        int width = 0;
        int height = 0;
        int bits = 0;
        QueryScreenMode(&width, &height, &bits);
        if (message.depth != bits || message.width != width || message.height != height) {
            if (CannotRepair(message, width, height, bits)) {
                WriteLog(kDisplayChangeStopText);
                WriteLog(kDisplayChangeStopMoreText);
                RequestClose();
                return 0;
            }
            ReleaseAllMovieStreams();
            DetectScreenPixelFormat();
            RecreateGraphicsAfterLoss();
            ResumeAllMovies();
        }
    }
    window_state.display_changed = 1;
    return 0;
}

}  // namespace layer
