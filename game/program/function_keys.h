#pragma once

namespace game {

// The window-scale key's modes: 0 normal size, 1 fitted to the desktop, 2 half size.
extern int WindowScaleMode;

// The mode after the next press; software drawing has no half size.
int NextWindowScaleMode(int mode, bool softwareDrawing);
// The window scale of a mode, for a desktop that leaves this client size to a window.
double WindowScaleForMode(int mode, int fullScreenWidth, int fullScreenHeight);

// Once per frame, on the newly-pressed flags of the input state: F4 the window scale, F5 the
// frame-skip level, F8 the caption's information, F9 the variable view in test play, F12 back
// to the title and Print Screen a screenshot (when the settings allow it).
void HandleFunctionKeys();

}  // namespace game
