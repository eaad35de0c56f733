#pragma once

namespace layer {

constexpr int kLogConsoleLineCount = 80;
constexpr int kLogConsoleLineLength = 255;

// A text area that can be drawn over the screen while its shown flag is set. The layer
// start-up prepares it; nothing in the player shows it or puts text into it.
struct LogConsole {
    int prepared = 0;
    int line_height = 16;
    int font_handle = -1;
    // 1 when the font is missing or the font system deleted it; it is then made again.
    int font_delete_notice = 1;
    int shown = 0;
    char lines[kLogConsoleLineCount][kLogConsoleLineLength + 1] = {};
};

extern LogConsole log_console;

}  // namespace layer
