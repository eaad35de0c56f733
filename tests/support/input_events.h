#pragma once

#include <SDL.h>

namespace test {

// Key and mouse-button events pushed into SDL's queue as a keyboard or mouse would send them;
// the layer's input sees them from the push on. Safe from any thread.
void PushKey(SDL_Scancode scancode, bool down);
// SDL's button numbers: SDL_BUTTON_LEFT, SDL_BUTTON_MIDDLE, SDL_BUTTON_RIGHT, ...
void PushMouseButton(int button, bool down);

}  // namespace test
