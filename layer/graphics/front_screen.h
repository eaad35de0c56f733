#pragma once

// The front screen as a draw target of its own, and the waits for the vertical blank. The
// frame presentation itself is in graphics_services.h.

#include "layer/core/rect.h"

namespace layer {

// Shows a rectangle of the software front screen (after a draw onto it): 0, also for an empty
// rectangle, or -1 when the front surface cannot be locked.
int PresentScreenRect(const Rect& rect);
// Reads the window back into the software front screen when a presentation made them differ.
int CaptureScreenToSoftImage();
// The front screen's rectangle on the primary surface: the screen size at the client origin.
int GetFrontScreenRect(Rect* rect);
// Sleeps in 1 ms steps up to the sleep threshold, then waits for the blank to begin.
int WaitVerticalBlankSleeping();
// Waits `count` blanks, pumping the window's messages meanwhile: 0, or -1 when the pump fails.
int WaitVerticalBlankPumping(int count);

}  // namespace layer
