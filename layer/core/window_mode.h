#pragma once

namespace layer {

// The window shows the screen in a frame whose client area is the screen size times the window
// scale, or covers the whole desktop in full screen.

// Stores the window-mode flag (1 window, 0 full screen). Returns 0.
int SetWindowModeFlag(int flag);
// Switches the mode; 0, or the screen-mode change's result. Before the window exists it only
// stores the choice.
int ChangeWindowMode(int flag);
// Applies the styles, size and position of the current mode. Returns 0.
int ApplyWindowStyle();
// Stores the window scale (0 or below becomes 1.0) and applies it in window mode. Returns 0.
int SetWindowScaleCore(double scale);
// Sizes the client area to the screen times the scale when it differs. Returns 0.
int FitWindowToScreen();
// The window moved: its client area now starts at (x, y) on the desktop. Returns 0.
int TrackClientAreaMove(int x, int y);
// Run after every pump in full screen: the cursor and the drawing mode are applied again.
int RefreshFullScreenCursor();

}  // namespace layer
