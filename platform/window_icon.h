#pragma once

#include <SDL.h>

namespace platform {

// The icon drawn for a resource id, or null when the id names none. The caller frees it.
SDL_Surface* DrawWindowIcon(int icon_id);

}  // namespace platform
