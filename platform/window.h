#pragma once

#include <string>
#include <string_view>

namespace platform {

// The program's one top-level window on the window system. Positions are of the client
// area on the desktop; sizes are client sizes. Call only on the thread that created it.
struct Window;

struct WindowRequest {
    std::string title;  // CP932
    int x = 0;
    int y = 0;
    int width = 640;
    int height = 480;
    bool full_screen = false;  // covers the desktop without changing the display mode
    int icon_id = 0;
};

// Opens and shows the window; null when the window system refuses or a window is open.
Window* OpenWindow(const WindowRequest& request);
// Closes the window and drops the messages still queued for it.
void CloseWindow(Window* window);

void SetWindowTitle(Window* window, std::string_view title);
// Icon 101 is the program's own; other ids leave the icon as it is.
void SetWindowIcon(Window* window, int icon_id);

void GetClientOrigin(Window* window, int* x, int* y);
void GetClientSize(Window* window, int* width, int* height);
void SetClientOrigin(Window* window, int x, int y);
void SetClientSize(Window* window, int width, int height);

// The frame around the client area (0 where the window system does not tell).
struct FrameBorders {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
FrameBorders GetFrameBorders(Window* window);

void SetFullScreen(Window* window, bool full_screen);
void SetAlwaysOnTop(Window* window, bool on_top);
void ShowWindow(Window* window);
void RaiseWindow(Window* window);
void MinimizeWindow(Window* window);
bool IsWindowMinimized(Window* window);
// Paints a rectangle of the client area black.
void FillClientBlack(Window* window, int x, int y, int width, int height);

// Whether the screen saver may start; applied to the window system now and at every
// window opening.
void SetScreenSaverAllowed(bool allowed);
// Text-input (IME) events on or off.
void SetTextInputEnabled(bool enabled);
// Where the input method shows its candidates: under this rectangle of the window's surface.
// Each call messages the input method.
void SetTextInputRect(int x, int y, int width, int height);
void ShowCursor(bool shown);
// Moves the mouse cursor to a client position.
void WarpMouse(Window* window, int x, int y);
// The mouse cursor's client position; outside the window, from the desktop position where the
// window system tells it, else as last seen inside.
void ReadMouse(Window* window, int* x, int* y);

struct DesktopMode {
    int width = 0;
    int height = 0;
    // Bits per pixel as the layer counts them: 32 for 4-byte pixels, 16 for 15- or
    // 16-bit ones, 24 only for packed 3-byte pixels.
    int bits = 0;
};
// The desktop's mode; while a display mode is set, that mode.
DesktopMode ReadDesktopMode();

}  // namespace platform
