#pragma once

#include <string>
#include <thread>
#include <vector>

#include "layer/core/rect.h"

namespace platform {
struct Window;
struct Menu;
}  // namespace platform

namespace layer {

// Close states of the main window.
constexpr int kWindowOpen = 0;
constexpr int kWindowShuttingDown = 1;
constexpr int kWindowCloseRequested = 4;

constexpr std::size_t kWindowTextMaxLength = 255;

// An item of the window's menu as the window collected it: its menu, its place there, its id
// and text.
struct MenuListItem {
    const platform::Menu* menu = nullptr;
    int position = 0;
    int id = 0;
    std::string text;
};

// Everything the main window code keeps.
struct WindowState {
    platform::Window* window = nullptr;
    // The thread that created the window; only it reads the window system's events.
    std::thread::id main_thread;
    // 1 window, 0 full screen.
    int window_mode = 0;
    // The client area on the desktop.
    Rect client_rect;
    int active = 0;
    // 1 once the quit message was seen or the window was destroyed.
    int quit = 0;
    // 1 once the layer itself asked the window to close.
    int quit_requested = 0;
    // Set by every handled display change; the window-mode switch waits for it.
    int display_changed = 0;
    // 1 while the window mode is being switched.
    int switching = 0;
    int creating = 0;
    // 1 while a paint presents the screen.
    int in_paint = 0;
    // The cursor visibility last asked for, and whether it is shown now.
    int cursor_setting = 0;
    int cursor_shown = 0;
    // The window's menu and the items collected from it. The menu counts for the cursor while
    // it is in use and not switched off, in window mode or with either display setting on.
    const platform::Menu* menu = nullptr;
    std::vector<MenuListItem> menu_items;
    int menu_in_use = 0;
    int menu_switched_off = 0;
    int menu_shown_in_full_screen = 0;
    int menu_shown_on_demand = 0;
    // Wheel notches since the game last took them.
    int wheel_count = 0;
    // The client size over the screen size in window mode; 0 or below counts as 1.
    double window_scale = 0.0;
    int shown_once = 0;
    int close_state = kWindowOpen;
    int run_while_inactive = 0;
    // The title (CP932), at most 255 bytes; it also names the class at creation.
    std::string window_text;
    std::string class_name;
    // Resource id of the icon; 0 is the default icon.
    int icon_id = 0;
};

extern WindowState window_state;

// 1 when the calling thread is the one that created the window (or no window was made yet).
bool IsMainThread();

}  // namespace layer
