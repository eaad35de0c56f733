#pragma once

// A software draw over display surfaces: the images the renderer reads and writes for one draw
// over locked surface memory or the work surfaces, or the decision to copy with one direct
// blit. Filled by PrepareDraw2D and emptied by FinishDraw2D within one draw call.

#include <cstdint>

#include "layer/core/rect.h"
#include "layer/graphics/surface_2d.h"
#include "layer/softrender/draw_state.h"
#include "layer/softrender/memimg.h"
#include "platform/display.h"

namespace layer {

struct DrawWork2D {
    // What the renderer reads: a software picture, a view of it, or the local source image.
    MEMIMG* source_image = nullptr;
    MEMIMG local_source;
    MEMIMG source_view;
    int source_locked = 0;
    int source_through_work = 0;
    platform::DisplaySurface* source_surface = nullptr;
    // The source rectangle on the source surface.
    Rect source_rect;
    // What the renderer writes: the draw image, or the local destination image over the locked
    // clipped rectangle.
    MEMIMG* destination_image = nullptr;
    MEMIMG local_destination;
    int destination_locked = 0;
    int destination_through_work = 0;
    int convert = 0;
    platform::DisplaySurface* locked_surface = nullptr;
    // The clipped destination in target coordinates, the locked part of the target, and where
    // that lies on the draw surface.
    Rect clipped;
    Rect locked_rect;
    platform::DisplaySurface* draw_surface = nullptr;
    Rect surface_rect;
    // The target position of the destination image's first pixel: draws address it with
    // target coordinates less this origin, so no address outside the locked block is formed.
    int origin_x = 0;
    int origin_y = 0;
    int direct_blit = 0;
    int blit_x = 0;
    int blit_y = 0;
};

extern DrawWork2D draw_work_2d;

// Prepares a draw onto the clipped `destination` (target coordinates) from `source` (or none):
// 0, or -1 when the destination is empty or a lock fails. `raw_colour` 1 means the draw's
// colours are screen pixel values; those behind `colour1` and `colour2` are converted to the
// renderer's layout when the destination is. `from_target_origin` 1 locks the target from its
// origin on, so that the destination image is addressed by target coordinates.
int PrepareDraw2D(const Surface2D* source, int direct_allowed, const Rect* source_rect,
                  const Rect& destination, int raw_colour, std::uint32_t* colour1,
                  std::uint32_t* colour2, int from_target_origin = 0);
int FinishDraw2D();
// The direct blit that PrepareDraw2D chose.
int RunDirectBlit2D(int transparent);
// Copies `rect` of the source to (x, y) of the destination: mode 1 through the system drawing
// contexts, 0 with a surface copy, -1 by the method the mode change measured faster.
int CopySurfaceRect(platform::DisplaySurface* destination, platform::DisplaySurface* source, int x,
                    int y, const Rect& rect, int mode);

// The draw settings as the renderer reads them, with the draw area moved by the origin.
SoftDrawState CaptureSoftDrawState(int origin_x, int origin_y);

}  // namespace layer
