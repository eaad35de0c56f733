#pragma once

// Where an overlay movie's frame goes on the screen: the part of the frame that shows and the
// screen rectangle it is shown in, after the window's clipping and the display's alignment.

#include "layer/core/rect.h"

namespace layer {

// The window's clip region as the system reports it.
enum class WindowClip { kEmpty, kSimple, kComplex };

struct OverlayView {
    // In window mode the clip region decides; a simple one is `clip_box` (client coordinates).
    bool window_mode = true;
    WindowClip clip = WindowClip::kSimple;
    Rect clip_box;
    // The client area in screen coordinates.
    Rect client;
    // The display's alignments, 0 for none: the source left edge and the destination left edge
    // round down to a multiple of their boundary, the widths to a multiple of their size.
    int source_boundary = 0;
    int source_size = 0;
    int destination_boundary = 0;
    int destination_size = 0;
};

struct OverlayShape {
    bool visible = false;
    Rect source;
    Rect destination;
};

// The overlay of a `width` x `height` frame drawn at (x, y) in the client area, `scale` times
// its size; hidden when nothing of it shows (or the scale is not positive).
OverlayShape PlaceOverlay(int x, int y, int scale, int width, int height, const OverlayView& view);

}  // namespace layer
