#pragma once

#include <SDL_scancode.h>

#include <cstdint>

namespace platform {

// The DirectInput-style key code the layer's keyboard state is indexed by: the set-1 scan
// code of the key, extended (E0-prefixed) keys plus 0x80. The keys that read '^', '@' and
// ':' on a Japanese layout give 0x90, 0x91, 0x92. Keys without a code give 0.
std::uint8_t KeyCodeFromScancode(SDL_Scancode scancode);

}  // namespace platform
