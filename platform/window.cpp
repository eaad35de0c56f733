#include "platform/window.h"

#include <SDL.h>

#include <string_view>

#include "platform/display.h"
#include "platform/gfx3d/gl_context.h"
#include "platform/message_queue.h"
#include "platform/sdl_main_window.h"
#include "platform/text_encoding.h"
#include "platform/window_icon.h"

struct platform::Window {
    SDL_Window* sdl = nullptr;
};

namespace platform {
namespace {

Window open_window;
bool screen_saver_allowed = true;

// The drivers that report the pointer on the whole desktop.
bool SupportsGlobalMouse() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr) {
        return false;
    }
    const std::string_view name = driver;
    return name == "x11" || name == "windows" || name == "cocoa";
}

void ApplyScreenSaverSetting() {
    if (screen_saver_allowed) {
        SDL_EnableScreenSaver();
    } else {
        SDL_DisableScreenSaver();
    }
}

// The window is GL-capable where the window system offers GL, so that a GL presenter can
// take it over; without GL it is a plain window. The GL attributes go first: some window
// systems choose the window's visual when it is made.
SDL_Window* CreateSdlWindow(const WindowRequest& request, const std::string& title) {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    Uint32 flags = SDL_WINDOW_SHOWN;
    if (request.full_screen) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    }
    SDL_Window* window = SDL_CreateWindow(title.c_str(), request.x, request.y, request.width,
                                          request.height, flags | SDL_WINDOW_OPENGL);
    if (window == nullptr) {
        window = SDL_CreateWindow(title.c_str(), request.x, request.y, request.width,
                                  request.height, flags);
    }
    return window;
}

int BitsOfFormat(Uint32 format) {
    if (SDL_BYTESPERPIXEL(format) == 4) {
        return 32;
    }
    const int bits = SDL_BITSPERPIXEL(format);
    return bits == 15 ? 16 : bits;
}

}  // namespace

SDL_Window* CurrentSdlWindow() {
    return open_window.sdl;
}

Window* OpenWindow(const WindowRequest& request) {
    // Long compositions arrive whole instead of cut at 32 bytes.
    SDL_SetHint(SDL_HINT_IME_SUPPORT_EXTENDED_TEXT, "1");
    if (open_window.sdl != nullptr || SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        return nullptr;
    }
    open_window.sdl = CreateSdlWindow(request, Cp932ToUtf8(request.title));
    if (open_window.sdl == nullptr) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    ApplyScreenSaverSetting();
    SetWindowIcon(&open_window, request.icon_id);
    return &open_window;
}

void CloseWindow(Window* window) {
    if (window == nullptr || window->sdl == nullptr) {
        return;
    }
    ReleaseGlContext();
    SDL_DestroyWindow(window->sdl);
    window->sdl = nullptr;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    DiscardWindowMessages();
}

void SetWindowTitle(Window* window, std::string_view title) {
    SDL_SetWindowTitle(window->sdl, Cp932ToUtf8(title).c_str());
}

void SetWindowIcon(Window* window, int icon_id) {
    SDL_Surface* icon = DrawWindowIcon(icon_id);
    if (icon != nullptr) {
        SDL_SetWindowIcon(window->sdl, icon);
        SDL_FreeSurface(icon);
    }
}

void GetClientOrigin(Window* window, int* x, int* y) {
    SDL_GetWindowPosition(window->sdl, x, y);
}

void GetClientSize(Window* window, int* width, int* height) {
    SDL_GetWindowSize(window->sdl, width, height);
}

void SetClientOrigin(Window* window, int x, int y) {
    SDL_SetWindowPosition(window->sdl, x, y);
}

void SetClientSize(Window* window, int width, int height) {
    SDL_SetWindowSize(window->sdl, width, height);
}

FrameBorders GetFrameBorders(Window* window) {
    FrameBorders borders;
    if (SDL_GetWindowBordersSize(window->sdl, &borders.top, &borders.left, &borders.bottom,
                                 &borders.right) != 0) {
        return {};
    }
    return borders;
}

void SetFullScreen(Window* window, bool full_screen) {
    SDL_SetWindowFullscreen(window->sdl, full_screen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

void SetAlwaysOnTop(Window* window, bool on_top) {
    SDL_SetWindowAlwaysOnTop(window->sdl, on_top ? SDL_TRUE : SDL_FALSE);
}

void ShowWindow(Window* window) {
    SDL_ShowWindow(window->sdl);
}

void RaiseWindow(Window* window) {
    SDL_RaiseWindow(window->sdl);
}

void MinimizeWindow(Window* window) {
    SDL_MinimizeWindow(window->sdl);
}

bool IsWindowMinimized(Window* window) {
    return (SDL_GetWindowFlags(window->sdl) & SDL_WINDOW_MINIMIZED) != 0;
}

void FillClientBlack(Window* window, int x, int y, int width, int height) {
    // Through GL the next frame shown covers the client area, bars and all.
    if (HasGlContext()) {
        return;
    }
    SDL_Surface* surface = SDL_GetWindowSurface(window->sdl);
    if (surface == nullptr) {
        return;
    }
    const SDL_Rect rect{x, y, width, height};
    SDL_FillRect(surface, &rect, SDL_MapRGB(surface->format, 0, 0, 0));
    SDL_UpdateWindowSurfaceRects(window->sdl, &rect, 1);
}

void SetScreenSaverAllowed(bool allowed) {
    screen_saver_allowed = allowed;
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
        ApplyScreenSaverSetting();
    }
}

void SetTextInputEnabled(bool enabled) {
    if (enabled) {
        SDL_StartTextInput();
    } else {
        SDL_StopTextInput();
    }
}

void SetTextInputRect(int x, int y, int width, int height) {
    SDL_Rect rect{x, y, width, height};
    SDL_SetTextInputRect(&rect);
}

void ShowCursor(bool shown) {
    SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
}

void WarpMouse(Window* window, int x, int y) {
    SDL_WarpMouseInWindow(window->sdl, x, y);
}

// The last position the window saw; outside the window the cursor stays where it left.
// Outside the window the desktop position is used where the window system tells it; SDL
// answers the last position inside elsewhere.
void ReadMouse(Window* window, int* x, int* y) {
    const bool global = SupportsGlobalMouse() && window != nullptr && window->sdl != nullptr &&
                        SDL_GetMouseFocus() != window->sdl;
    if (!global) {
        SDL_GetMouseState(x, y);
        return;
    }
    int desktop_x = 0;
    int desktop_y = 0;
    SDL_GetGlobalMouseState(&desktop_x, &desktop_y);
    int origin_x = 0;
    int origin_y = 0;
    SDL_GetWindowPosition(window->sdl, &origin_x, &origin_y);
    if (x != nullptr) {
        *x = desktop_x - origin_x;
    }
    if (y != nullptr) {
        *y = desktop_y - origin_y;
    }
}

DesktopMode ReadDesktopMode() {
    // A set display mode covers the desktop with the window: the desktop is then that mode.
    if (IsDisplayModeSet()) {
        const DisplayMode mode = ReadDisplayModeInForce();
        return {mode.width, mode.height, mode.bits};
    }
    const bool started_here = SDL_WasInit(SDL_INIT_VIDEO) == 0;
    if (started_here && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        return {};
    }
    const int display = open_window.sdl != nullptr ? SDL_GetWindowDisplayIndex(open_window.sdl) : 0;
    SDL_DisplayMode mode{};
    DesktopMode desktop;
    if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &mode) == 0) {
        desktop = {mode.w, mode.h, BitsOfFormat(mode.format)};
    }
    if (started_here) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    return desktop;
}

}  // namespace platform
