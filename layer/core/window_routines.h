#pragma once

#include "layer/core/system_info.h"

namespace platform {
struct Window;
}

namespace layer {

// Answers about the main window for the rest of the layer. IsWindowActive and
// IsQuitRequested are entry functions (layer_api.h).
int IsWindowDestroyed();
int IsWindowedMode();
platform::Window* GetLayerWindow();
// 1 while the window's menu is in use (the player's window has none).
int IsWindowMenuEnabled();
// The player's window has no shape region.
int HasWindowRegion();
int IsMmxEnabled();
// The start-up's system report; its first field is the OS description.
const SystemInfo& GetOsDescription();

// The scale in force: the stored one in window mode (0 or below first becomes 1.0), 1.0 in
// full screen.
double CurrentWindowScale();
// The desktop's size and bits per pixel, each output optional: as measured at start-up once
// the layer runs, else as the window system tells now. Returns 0.
int GetDesktopMode(int* width, int* height, int* bits);
// The mouse position in screen pixels, each output optional. Returns 0.
int ReadMousePosition(int* x, int* y);
// Stores the cursor setting and shows or hides the cursor to match. Returns 0.
int ApplyCursorVisibility(int shown);
// Would draw the picture set for an inactive window; the player sets none.
int DrawInactiveImage();

}  // namespace layer
