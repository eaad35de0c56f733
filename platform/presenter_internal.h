#pragma once

// The presenter's parts that the display stand-in and the GL context share.

#include "platform/display.h"

namespace platform {

struct GlSurface;

// Where the frame lands on a window surface of the given size: the whole surface when the
// sizes agree, else the largest centred rectangle of the frame's aspect.
DisplayRect FrameLayout(int window_width, int window_height);
// The retained frame's GPU copy while the GL context lives (made on first use), else null.
GlSurface* FrameGpuCopy();
// The frame's GPU copy taken back into the frame and given up.
void DetachFrameGpuCopy();
// Shows the whole frame through GL: nearest-neighbour scaled into its layout, flipped to the
// window's bottom-up rows, black bars beside it, and swapped.
int ShowFrameThroughGl();

}  // namespace platform
