#pragma once

#include <SDL.h>

namespace platform {

// The SDL window behind the open Window, null while none is open: for the event
// translation and the presenters of the platform tier.
SDL_Window* CurrentSdlWindow();

}  // namespace platform
