#include "layer/core/message_pump.h"

#include "layer/core/input_system.h"
#include "layer/core/network.h"
#include "layer/core/text_input.h"
#include "layer/core/window_mode.h"
#include "layer/core/window_procedure.h"
#include "layer/core/window_state.h"
#include "layer/graphics/graphics_services.h"
#include "layer/media/media_services.h"
#include "platform/clock.h"
#include "platform/message_queue.h"

namespace layer {
namespace {

// A pass ends after this many dispatches even with messages left.
constexpr int kDispatchesPerPass = 5;

// Set while the typed-text service runs: it may wait for input and so pump again.
int reentry_guard = 0;

bool Idles() {
    return window_state.active == 0 && window_state.run_while_inactive == 0;
}

bool TakeNextMessage(platform::Message* message) {
    if (IsMainThread()) {
        platform::ReceiveSystemEvents();
    }
    return platform::TakeWindowMessage(message);
}

// One pass; false when the passes must end at once (a message arrived after the quit).
bool RunPass(int* dispatch_count, bool* idle) {
    platform::Message message;
    while (TakeNextMessage(&message)) {
        if (message.kind == platform::MessageKind::kActivateApp && window_state.window_mode == 1) {
            window_state.active = message.active != 0 ? 1 : 0;
        }
        if (window_state.quit != 0) {
            return false;
        }
        if (message.kind == platform::MessageKind::kQuit) {
            window_state.quit = 1;
        } else {
            RunWindowProcedure(message);
        }
        if (++*dispatch_count == kDispatchesPerPass) {
            *dispatch_count = 0;
            return true;
        }
        *idle = false;
    }
    return true;
}

void ServiceWhileInactive() {
    PumpNetworkMessages(1);
    ServiceStreamSounds();
    PresentWindowMovies();
    platform::SleepMilliseconds(1);
}

void RunPasses() {
    int dispatch_count = 0;
    bool idle = false;
    while (true) {
        const bool may_return = window_state.active != 0 || window_state.run_while_inactive != 0 ||
                                window_state.quit_requested != 0;
        if (may_return && (idle || window_state.quit != 0)) {
            return;
        }
        idle = true;
        if (Idles()) {
            platform::SleepMilliseconds(1);
        }
        if (!RunPass(&dispatch_count, &idle)) {
            return;
        }
        if (Idles()) {
            ServiceWhileInactive();
        }
        if (window_state.quit != 0 || !IsMainThread()) {
            return;
        }
    }
}

}  // namespace

int RunMessagePump() {
    if (reentry_guard != 0) {
        return 0;
    }
    if (window_state.window == nullptr) {
        return window_state.quit != 0 ? -1 : 0;
    }
    RunPasses();
    if (IsMainThread()) {
        RefreshFullScreenCursor();
    }
    ServiceStreamSounds();
    PollMidiPlayState();
    ServicePadVibration();
    PumpNetworkMessages(1);
    UpdateHttpSlots();
    reentry_guard = 1;
    ApplyTypedChars();
    reentry_guard = 0;
    return window_state.quit != 0 ? -1 : 0;
}

int WaitWhileInactive() {
    if (window_state.in_paint != 0 || window_state.active != 0) {
        return 0;
    }
    if (window_state.run_while_inactive != 0 &&
        (GetGdiSurfaceMode() != 0 || window_state.window_mode != 0)) {
        return 0;
    }
    while (RunMessagePump() == 0 && window_state.active == 0) {
    }
    if (IsGraphicsStarted() != 0 && IsDirectDrawMode() != 0) {
        RestoreLostScreenSurfaces();
        for (int slot = 0; slot < GetGraphSlotEnd(); ++slot) {
            const int graph = GetGraphHandleInSlot(slot);
            if (graph != -1) {
                RestoreGraphSurfaces(graph);
            }
        }
    }
    return 0;
}

}  // namespace layer
