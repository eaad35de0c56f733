#pragma once

#include "layer/core/rect.h"

namespace layer {

// Layer-wide switches and states that the graphics side reads. The switches are off for the
// whole run: nothing in the player sets them.
struct CoreSettings {
    // Every cooperative-level change keeps the floating-point state.
    int fpu_preserve = 0;
    // The main screens are not created.
    int screens_off = 0;
    // The graphics start is skipped.
    int graphics_off = 0;
    // The colour new screens and cleared targets are filled with.
    int background_red = 0;
    int background_green = 0;
    int background_blue = 0;
    // The draw area as last asked for, before clamping; the window code asks for it again
    // after the window moved.
    Rect requested_draw_area{0, 0, 640, 480};
    // 1 from the end of a successful start-up until the shutdown runs.
    int started = 0;
    // 1 while the start-up runs.
    int starting = 0;
};

extern CoreSettings core_settings;

}  // namespace layer
