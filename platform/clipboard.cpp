#include "platform/clipboard.h"

#include <SDL.h>

namespace platform {

std::optional<std::string> ReadClipboardText() {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0 || SDL_HasClipboardText() == SDL_FALSE) {
        return std::nullopt;
    }
    char* text = SDL_GetClipboardText();
    if (text == nullptr) {
        return std::nullopt;
    }
    std::string result = text;
    SDL_free(text);
    return result;
}

bool WriteClipboardText(std::string_view utf8) {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
        return false;
    }
    return SDL_SetClipboardText(std::string(utf8).c_str()) == 0;
}

}  // namespace platform
