#pragma once

#include "layer/core/rect.h"

namespace platform {
struct Window;
}

namespace layer {

// Opens the main window in the current mode, refusing a second copy of the game. 0, or -1
// (with the quit flag set) when the window cannot be made.
int CreateMainWindow();
// Closes the window through its own close message and waits until it is gone. Returns 0.
int CloseMainWindow();
// Destroys the window at once and delivers its destroy notice; the other copies of the game
// may start from now on.
void DestroyMainWindow();
// The client area on the desktop.
void GetClientAreaRect(Rect* rect);
void BringWindowToFront(platform::Window* window, int topmost);

}  // namespace layer
