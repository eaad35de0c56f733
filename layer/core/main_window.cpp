#include "layer/core/main_window.h"

#include "layer/core/double_byte_text.h"
#include "layer/core/elapsed_time.h"
#include "layer/core/ime.h"
#include "layer/core/layer_log.h"
#include "layer/core/mersenne_twister.h"
#include "layer/core/message_pump.h"
#include "layer/core/system_info.h"
#include "layer/core/text_input.h"
#include "layer/core/timer_choice.h"
#include "layer/core/window_menu.h"
#include "layer/core/window_mode.h"
#include "layer/core/window_procedure.h"
#include "layer/core/window_routines.h"
#include "layer/core/window_state.h"
#include "layer/core/window_texts.h"
#include "layer/graphics/graphics_services.h"
#include "platform/clock.h"
#include "platform/instance_lock.h"
#include "platform/machine_facts.h"
#include "platform/message_queue.h"
#include "platform/window.h"
#include "platform/window_menu.h"

namespace layer {
namespace {

constexpr const char* kDefaultClassName = "D123987X";
constexpr const char* kDefaultWindowText = "Qvarn";
constexpr int kDefaultIconId = 0x7F00;
// How long the new window's first messages are pumped.
constexpr int kSettleMilliseconds = 200;
constexpr double kBytesPerMegabyte = 1048576.0;

// Held from the check for a running copy until the window is destroyed.
platform::InstanceLock instance_lock;

// Everything but the settings made before start-up goes back to zero.
void ResetWindowState() {
    WindowState fresh;
    fresh.window_mode = window_state.window_mode;
    fresh.window_text = window_state.window_text;
    fresh.icon_id = window_state.icon_id;
    fresh.window_scale = window_state.window_scale;
    fresh.run_while_inactive = window_state.run_while_inactive;
    window_state = fresh;
    ResetLogLine();
    platform::DiscardWindowMessages();
}

void MeasureMachine() {
    const platform::PhysicalMemory memory = platform::ReadPhysicalMemory();
    system_info.total_physical_memory = memory.total;
    system_info.available_physical_memory = memory.available;
    WriteLogFormat(kMemoryFormat, static_cast<double>(memory.total) / kBytesPerMegabyte,
                   static_cast<double>(memory.available) / kBytesPerMegabyte);
    const platform::DesktopMode desktop = platform::ReadDesktopMode();
    system_info.desktop_width = desktop.width;
    system_info.desktop_height = desktop.height;
    system_info.desktop_colour_bits = desktop.bits;
}

int FailCreation(const char* text) {
    WriteLog(text);
    window_state.quit = 1;
    window_state.creating = 0;
    instance_lock.Release();
    return -1;
}

platform::WindowRequest WindowRequestOfMode() {
    platform::WindowRequest request;
    request.title = window_state.window_text;
    request.icon_id = window_state.icon_id == 0 ? kDefaultIconId : window_state.icon_id;
    GetScreenResolution(&request.width, &request.height);
    if (window_state.window_mode != 0) {
        WriteLog(kCreatingWindowText);
        window_state.cursor_setting = 1;
        const double scale = CurrentWindowScale();
        request.width = static_cast<int>(request.width * scale);
        request.height = static_cast<int>(request.height * scale);
        request.x = (system_info.desktop_width - request.width) / 2;
        request.y = (system_info.desktop_height - request.height) / 2;
    } else {
        WriteLog(kCreatingFullScreenText);
        window_state.cursor_setting = 0;
        request.full_screen = true;
    }
    return request;
}

void Settle() {
    platform::RaiseWindow(window_state.window);
    const int start = ReadMillisecondClock();
    while (MillisecondsSince(start) < kSettleMilliseconds) {
        RunMessagePump();
        platform::SleepMilliseconds(1);
    }
}

}  // namespace

int CreateMainWindow() {
    ResetWindowState();
    window_state.class_name =
        window_state.window_text.empty() ? kDefaultClassName : window_state.window_text;
    window_state.main_thread = std::this_thread::get_id();
    MeasureMachine();
    ChooseMicrosecondTimer();
    SeedMersenneTwister(static_cast<std::uint32_t>(ReadMillisecondClock()));
    platform::SetScreenSaverAllowed(false);

    WriteLog(kDoubleStartCheckText);
    if (!instance_lock.Acquire(window_state.class_name)) {
        WriteLog(kDoubleStartText);
        window_state.quit = 1;
        return -1;
    }
    WriteLog(kNoDoubleStartText);
    window_state.creating = 1;
    WriteLog(kRegisteringClassText);
    WriteLog(kClassRegisteredText);
    if (window_state.window_text.empty()) {
        window_state.window_text = kDefaultWindowText;
    }

    window_state.window = platform::OpenWindow(WindowRequestOfMode());
    if (window_state.window == nullptr) {
        return FailCreation(kWindowFailedText);
    }
    WriteLog(kWindowCreatedText);
    window_state.menu = platform::GetWindowMenu(window_state.window);
    CollectMenuItems(window_state.menu);
    window_state.quit_requested = 0;
    window_state.active = 1;
    if (window_state.window_mode == 0) {
        WriteLog(kCursorHiddenText);
        platform::ShowCursor(false);
    }
    WriteLog(kImeDisabledText);
    if (IsImeSwitchedOn() == 0) {
        platform::SetTextInputEnabled(false);
    }
    int width = 0;
    int height = 0;
    GetScreenResolution(&width, &height);
    if (window_state.window_mode != 0) {
        int x = 0;
        int y = 0;
        platform::GetClientOrigin(window_state.window, &x, &y);
        platform::GetClientSize(window_state.window, &width, &height);
        window_state.client_rect = {x, y, x + width, y + height};
    } else {
        window_state.client_rect = {0, 0, width, height};
    }
    system_info.charset_index = kShiftJisCharset;
    ApplyCursorVisibility(window_state.cursor_setting);
    window_state.close_state = kWindowOpen;
    Settle();
    FitWindowToScreen();
    window_state.creating = 0;
    return 0;
}

void DestroyMainWindow() {
    platform::CloseWindow(window_state.window);
    instance_lock.Release();
    platform::Message destroy;
    destroy.kind = platform::MessageKind::kDestroy;
    RunWindowProcedure(destroy);
}

int CloseMainWindow() {
    if (window_state.window == nullptr) {
        return 0;
    }
    platform::SetScreenSaverAllowed(true);
    platform::SetTextInputEnabled(true);
    ApplyCursorVisibility(1);
    if (window_state.quit_requested == 0) {
        window_state.quit_requested = 1;
        platform::Message close;
        close.kind = platform::MessageKind::kClose;
        platform::PostWindowMessage(close);
    }
    while (RunMessagePump() == 0) {
    }
    EndTextInput();
    window_state.window = nullptr;
    platform::DiscardWindowMessages();
    return 0;
}

void GetClientAreaRect(Rect* rect) {
    *rect = window_state.client_rect;
    rect->top += GetToolBarHeight();
}

void BringWindowToFront(platform::Window* window, int topmost) {
    platform::RaiseWindow(window);
    if (topmost != 0) {
        platform::SetAlwaysOnTop(window, true);
    }
}

}  // namespace layer
