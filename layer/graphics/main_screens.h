#pragma once

// The main surfaces as the 3D side and the captures ask for them.

#include "platform/display.h"

namespace layer {

// The surface that stands for the front screen: the separate front surface in that mode,
// else the primary.
platform::DisplaySurface* GetScreenTargetSurface();
// The display surface of the current draw target (null for software images).
platform::DisplaySurface* GetCurrentDrawSurface();
platform::DisplaySurface* GetBackSurface();
platform::DisplaySurface* GetWorkSurface();
// 1 in window mode while the current draw surface is the primary.
int IsDrawingOnWindowPrimary();

}  // namespace layer
