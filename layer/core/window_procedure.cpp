#include "layer/core/window_procedure.h"

#include <algorithm>
#include <array>
#include <utility>

#include "layer/core/core_settings.h"
#include "layer/core/ime.h"
#include "layer/core/input_system.h"
#include "layer/core/layer_log.h"
#include "layer/core/main_window.h"
#include "layer/core/network.h"
#include "layer/core/typed_char_buffer.h"
#include "layer/core/window_mode.h"
#include "layer/core/window_state.h"
#include "layer/core/window_texts.h"
#include "layer/graphics/graphics_services.h"
#include "layer/media/media_services.h"
#include "platform/message_queue.h"
#include "platform/window.h"

namespace layer {
namespace {

using platform::Message;
using platform::MessageKind;

// The editing keys by keyboard scan code, and the code each puts into the typed characters.
constexpr std::array<std::pair<int, unsigned char>, 9> kEditingKeyTable{{
    {0xD3, 0x10},  // Delete
    {0xCB, 0x1D},  // Left
    {0xCD, 0x1C},  // Right
    {0xC8, 0x1E},  // Up
    {0xD0, 0x1F},  // Down
    {0xC7, 0x1A},  // Home
    {0xCF, 0x19},  // End
    {0xC9, 0x17},  // Page Up
    {0xD1, 0x15},  // Page Down
}};

// The control characters a key-input string acts on; the others are dropped.
constexpr std::array<int, 9> kKeptControlCharacters{0x01, 0x03, 0x08, 0x09, 0x0D,
                                                    0x10, 0x16, 0x18, 0x1B};

int OnDestroy(const Message&) {
    WriteLog(kDestroyingText);
    WriteLog(kReadyToEndText);
    Message quit;
    quit.kind = MessageKind::kQuit;
    platform::PostWindowMessage(quit);
    window_state.quit = 1;
    return 0;
}

int OnMove(const Message& message) {
    if (window_state.window_mode != 0 && window_state.switching == 0) {
        TrackClientAreaMove(message.x, message.y);
    }
    return 0;
}

int OnSize(const Message& message) {
    if (message.size_kind != platform::SizeKind::kMaximized) {
        FitWindowToScreen();
    }
    return 0;
}

int OnPaint(const Message& message) {
    if (window_state.window_mode == 0) {
        return 0;
    }
    window_state.in_paint = 1;
    if (core_settings.started != 0) {
        if (GetDrawTarget() == kDrawTargetBack) {
            const int vsync = GetVsyncWait();
            SetVsyncWait(0);
            const Rect area{message.x, message.y, message.x + message.width,
                            message.y + message.height};
            PresentBackScreen(&area);
            SetVsyncWait(vsync);
        }
    } else if (window_state.window != nullptr) {
        platform::FillClientBlack(window_state.window, message.x, message.y, message.width,
                                  message.height);
    }
    window_state.in_paint = 0;
    return 0;
}

// Closing destroys the window at once; its destroy notice follows before this returns.
int OnClose(const Message&) {
    WriteLog(kClosingText);
    DestroyMainWindow();
    if (window_state.close_state == kWindowOpen) {
        window_state.close_state = kWindowCloseRequested;
    }
    return 0;
}

int OnActivateApp(const Message& message) {
    return message.active == 0 ? HandleActivation(message) : 0;
}

int OnMouse(const Message&) {
    if (window_state.cursor_shown == 0) {
        platform::ShowCursor(false);
    }
    return 0;
}

int OnKeyDown(const Message& message) {
    if (IsTypedCharBufferFull() != 0) {
        return 0;
    }
    const auto key =
        std::find_if(kEditingKeyTable.begin(), kEditingKeyTable.end(),
                     [&](const auto& entry) { return entry.first == message.key_code; });
    if (key != kEditingKeyTable.end()) {
        PushTypedChar(key->second);
    }
    return 0;
}

int OnChar(const Message& message) {
    const int character = message.character == 0x0A ? 0x0D : message.character;
    const bool kept =
        character >= 0x20 || std::find(kKeptControlCharacters.begin(), kKeptControlCharacters.end(),
                                       character) != kKeptControlCharacters.end();
    if (kept) {
        PushTypedChar(static_cast<unsigned char>(character));
    }
    return 0;
}

// The screen saver and the monitor's power saving may not start while the game runs.
int OnSysCommand(const Message& message) {
    return message.command == platform::SysCommand::kScreenSave ||
                   message.command == platform::SysCommand::kMonitorPower
               ? 1
               : 0;
}

int OnMouseWheel(const Message& message) {
    window_state.wheel_count += message.wheel > 0 ? 1 : -1;
    return 0;
}

int OnMusicNotify(const Message&) {
    HandleMciNotify();
    return 0;
}

int OnF10Report(const Message& message) {
    SetF10ReportFlag(message.value == 1 ? 1 : 0);
    return 0;
}

using Handler = int (*)(const Message&);

constexpr std::array<std::pair<MessageKind, Handler>, 24> kHandlers{{
    {MessageKind::kDestroy, OnDestroy},
    {MessageKind::kMove, OnMove},
    {MessageKind::kSize, OnSize},
    {MessageKind::kPaint, OnPaint},
    {MessageKind::kClose, OnClose},
    {MessageKind::kActivateApp, OnActivateApp},
    {MessageKind::kActivate, HandleActivation},
    {MessageKind::kSetCursor, OnMouse},
    {MessageKind::kMouseMove, OnMouse},
    {MessageKind::kMouseButtonDown, OnMouse},
    {MessageKind::kMouseButtonUp, OnMouse},
    {MessageKind::kDisplayChange, HandleDisplayChange},
    {MessageKind::kKeyDown, OnKeyDown},
    {MessageKind::kChar, OnChar},
    {MessageKind::kImeStartComposition, HandleImeMessage},
    {MessageKind::kImeComposition, HandleImeMessage},
    {MessageKind::kImeEndComposition, HandleImeMessage},
    {MessageKind::kImeSetContext, HandleImeMessage},
    {MessageKind::kImeNotify, HandleImeMessage},
    {MessageKind::kSysCommand, OnSysCommand},
    {MessageKind::kMouseWheel, OnMouseWheel},
    {MessageKind::kMusicNotify, OnMusicNotify},
    {MessageKind::kF10Report, OnF10Report},
    {MessageKind::kSocketNotify, HandleSocketEvent},
}};

}  // namespace

int RunWindowProcedure(const Message& message) {
    for (const auto& [kind, handler] : kHandlers) {
        if (kind == message.kind) {
            return handler(message);
        }
    }
    return 0;
}

}  // namespace layer
