#pragma once

namespace platform {

// The client size a window filling the usable desktop of the window's display would get: the
// desktop without task bars and docks, less the window's title bar. 0 x 0 when the window
// system cannot tell.
void ReadFullScreenClientSize(int* width, int* height);

}  // namespace platform
