#pragma once

#include "layer/core/rect.h"
#include "layer/softrender/draw_state.h"
#include "layer/softrender/memimg.h"

namespace layer {

// Draws the whole source stretched onto the rectangle between two corners, held as
// (x1, y1, x2, y2) in the left, top, right and bottom fields of `corners`; corners given in
// reverse order mirror that axis. Nearest-pixel sampling: destination column k from the
// unclipped left edge shows source column k * 65536 / step (step = width * 65536 / source
// width), counted from the right when mirrored. An unmirrored draw at the source's own size
// is the plain blit. Refusals as the plain blit's; a zero step draws nothing.
void RenderMemImgStretched(MEMIMG* destination, const MEMIMG* source, const Rect& corners,
                           int transparency, const MEMIMG* blend_image, const SoftDrawState& state);

}  // namespace layer
