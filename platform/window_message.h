#pragma once

#include <string>

namespace platform {

// The messages the layer's window procedure handles. Window events of the system are
// translated into these on the main thread; any thread may post them as well.
enum class MessageKind {
    kClose,
    kDestroy,
    kQuit,
    kActivateApp,
    kActivate,
    kMove,
    kSize,
    kPaint,
    kKeyDown,
    kChar,
    kMouseWheel,
    kMouseMove,
    kMouseButtonDown,
    kMouseButtonUp,
    kSetCursor,
    kDisplayChange,
    kSysCommand,
    kImeStartComposition,
    kImeComposition,
    kImeEndComposition,
    kImeSetContext,
    kImeNotify,
    kMusicNotify,
    kF10Report,
    kSocketNotify,
};

enum class MouseButton { kNone, kLeft, kRight, kMiddle };

enum class SysCommand { kOther, kScreenSave, kMonitorPower };

enum class SizeKind { kRestored, kMinimized, kMaximized };

struct Message {
    MessageKind kind = MessageKind::kClose;
    int active = 0;     // activate-app, activate: 1 when becoming active
    int minimized = 0;  // activate: the window is minimised
    int x = 0;          // move: client origin on the desktop; mouse: client position
    int y = 0;
    int width = 0;  // size: client size; display change: desktop size; paint: area size
    int height = 0;
    SizeKind size_kind = SizeKind::kRestored;
    int depth = 0;      // display change: bits per pixel
    int key_code = 0;   // key-down: keyboard scan code of the input system
    int character = 0;  // char: one CP932 byte
    int wheel = 0;      // wheel: positive away from the user
    MouseButton button = MouseButton::kNone;
    SysCommand command = SysCommand::kOther;
    int value = 0;             // F10 report, socket and music notices
    int event = 0;             // socket notice: the event bits, the error in the high word
    std::string text;          // IME composition text (CP932)
    int cursor = 0;            // IME composition cursor, in bytes of text
    int selection_length = 0;  // IME composition: bytes of the selected part from the cursor
};

}  // namespace platform
