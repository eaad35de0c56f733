#include "tests/support/input_events.h"

namespace test {

void PushKey(SDL_Scancode scancode, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = scancode;
    event.key.keysym.sym = SDL_GetKeyFromScancode(scancode);
    SDL_PushEvent(&event);
}

void PushMouseButton(int button, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.button = static_cast<Uint8>(button);
    event.button.clicks = 1;
    SDL_PushEvent(&event);
}

}  // namespace test
