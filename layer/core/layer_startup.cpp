#include "layer/core/layer_startup.h"

#include <string>

#include "layer/core/core_settings.h"
#include "layer/core/file_lifecycle.h"
#include "layer/core/first_draws.h"
#include "layer/core/input_system.h"
#include "layer/core/layer_api.h"
#include "layer/core/layer_com.h"
#include "layer/core/layer_log.h"
#include "layer/core/log_console_drawing.h"
#include "layer/core/main_window.h"
#include "layer/core/message_pump.h"
#include "layer/core/network.h"
#include "layer/core/startup_texts.h"
#include "layer/core/system_info.h"
#include "layer/core/system_report.h"
#include "layer/core/text_input.h"
#include "layer/core/window_routines.h"
#include "layer/core/window_state.h"
#include "layer/graphics/frame_dump.h"
#include "layer/graphics/graphics_services.h"
#include "layer/media/media_services.h"
#include "platform/quit_signals.h"

namespace layer {
namespace {

constexpr int kUnsupportedColourBits = 24;
constexpr int kVistaOsCode = 0x108;
// After SIGINT or SIGTERM the program has this long to end before it is ended at once.
constexpr unsigned kQuitGraceSeconds = 5;

// The current folder when the layer started: the log's folder, and where the shutdown returns.
std::string startup_directory;

bool RefusesColourDepth() {
    int desktop_bits = 0;
    GetDesktopMode(nullptr, nullptr, &desktop_bits);
    return (desktop_bits == kUnsupportedColourBits && window_state.window_mode != 0) ||
           GetScreenColourBits() == kUnsupportedColourBits;
}

// A start that fails gives back what it had started, so that a later start can succeed.
int FailStart() {
    CloseMainWindow();
    EndCom();
    core_settings.starting = 0;
    return -1;
}

}  // namespace

int StartLayer() {
    if (core_settings.started != 0) {
        return 0;
    }
    core_settings.starting = 1;
    // Before any window-system start, which would otherwise put in handlers of its own.
    platform::CatchQuitSignals(kQuitGraceSeconds);
    if (IsDirect3DDisabled() != 0) {
        SetSoftwareRendering(0);
    }
    BuildYuvTables();
    ResetFileSystem();
    startup_directory = ReadStartupDirectory();
    SetLogFolder(startup_directory);
    InitLog();
    if (RefusesColourDepth()) {
        WriteLog(kTwentyFourBitRefusedText);
        core_settings.starting = 0;
        return -1;
    }
    system_info.uses_performance_counter = true;
    LogSystemReport();
    if (system_info.os_code == kVistaOsCode) {
        SetSeparateFrontSurface(1);
    }
    SetGraphRestoreHandler(nullptr);
    if (StartCom() == -1 || CreateMainWindow() == -1) {
        return FailStart();
    }
    ClearNetworkState();
    if (StartInputSystem() == -1) {
        return FailStart();
    }
    StartSoundSystem();
    if (InitGraphicsSystem(window_state.window) < 0) {
        return FailStart();
    }
    InitTextInput();
    core_settings.started = 1;
    SetVsyncWait(1);
    if (window_state.window_mode == 0) {
        BringWindowToFront(window_state.window, 1);
    }
    InitLogConsole();
    SelectDrawTarget(kDrawTargetBack);
    SelectDrawTarget(kDrawTargetFront);
    DrawFirstFrames();
    core_settings.starting = 0;
    return 0;
}

int EndLayer() {
    if (core_settings.started == 0) {
        return 0;
    }
    window_state.close_state = kWindowShuttingDown;
    DumpPresentedFrame();
    ReleaseLogConsoleFont();
    EndNetwork();
    DeleteAllHttpSlots();
    EndMusicFilePlayback();
    EndGraphicsSystem();
    EndInputSystem();
    EndSoundSystem();
    CloseMainWindow();
    EndCom();
    RemoveAllHeldImages();
    core_settings.started = 0;
    while (RunMessagePump() == 0 && window_state.quit == 0) {
    }
    EndFileSystem(startup_directory);
    return 0;
}

}  // namespace layer
