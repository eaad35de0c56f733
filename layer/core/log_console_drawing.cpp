#include "layer/core/log_console_drawing.h"

#include <algorithm>

#include "layer/core/log_console.h"
#include "layer/core/window_state.h"
#include "layer/graphics/graphics_services.h"
#include "layer/media/media_services.h"

namespace layer {
namespace {

constexpr int kLineHeight = 16;
constexpr int kFontSize = 16;
constexpr int kFontThickness = 4;
constexpr int kEdgedFont = 1;

}  // namespace

int InitLogConsole() {
    if (GetDirectDrawObject() == nullptr || window_state.window == nullptr) {
        return -1;
    }
    if (log_console.prepared != 0) {
        return 0;
    }
    log_console.prepared = 1;
    log_console.line_height = kLineHeight;
    log_console.font_handle = -1;
    log_console.font_delete_notice = 1;
    PrepareLogConsoleFont();
    log_console.shown = 0;
    for (auto& line : log_console.lines) {
        line[0] = '\0';
    }
    return 0;
}

int PrepareLogConsoleFont() {
    if (log_console.prepared == 0 && InitLogConsole() != 0) {
        return -1;
    }
    if (log_console.font_delete_notice == 1) {
        log_console.font_handle =
            CreateFontToHandle(nullptr, kFontSize, kFontThickness, kEdgedFont, -1, -1, 0, -1, -1);
        log_console.font_delete_notice = 0;
        SetFontDeleteNotice(log_console.font_handle, &log_console.font_delete_notice);
    }
    return 0;
}

int DrawLogConsole() {
    if (PrepareLogConsoleFont() != 0) {
        return 0;
    }
    int screen_height = 0;
    GetScreenResolution(nullptr, &screen_height);
    const int lines = std::min(screen_height / log_console.line_height, kLogConsoleLineCount);
    const int white = RgbToPixel(255, 255, 255);
    const int black = RgbToPixel(0, 0, 0);
    for (int i = 0; i < lines; ++i) {
        DrawFontString(0, log_console.line_height * i, log_console.lines[i], white,
                       log_console.font_handle, black, 0);
    }
    return 0;
}

void ReleaseLogConsoleFont() {
    if (log_console.font_handle == -1) {
        return;
    }
    if (log_console.font_delete_notice == 0) {
        FreeFontHandle(log_console.font_handle);
    }
    log_console.font_handle = -1;
    log_console.prepared = 0;
}

}  // namespace layer
