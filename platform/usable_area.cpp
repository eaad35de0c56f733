#include "platform/usable_area.h"

#include <SDL.h>

#include <algorithm>

#include "platform/sdl_main_window.h"

namespace platform {

void ReadFullScreenClientSize(int* width, int* height) {
    *width = 0;
    *height = 0;
    SDL_Window* window = CurrentSdlWindow();
    const int display = window != nullptr ? std::max(SDL_GetWindowDisplayIndex(window), 0) : 0;
    SDL_Rect usable{};
    if (SDL_GetDisplayUsableBounds(display, &usable) != 0) {
        return;
    }
    int title_bar = 0;
    if (window != nullptr) {
        SDL_GetWindowBordersSize(window, &title_bar, nullptr, nullptr, nullptr);
    }
    *width = usable.w;
    *height = std::max(usable.h - title_bar, 0);
}

}  // namespace platform
