#pragma once

#include "layer/softrender/draw_state.h"
#include "layer/softrender/memimg.h"

namespace layer {

// Draws the whole source rotated by `angle` radians (clockwise on screen) and scaled by
// `scale` about its centre, which lands on (cx, cy). Unturned images are scanned: every pixel
// of the rotated corners' box (2 pixels wider to the left and top, 4 to the right and bottom,
// clipped to the draw area) is mapped back into the source and drawn when it falls inside.
// A nonzero turn flag mirrors the image left-right and draws it through the quad.
void RenderMemImgRotated(MEMIMG* dest, const MEMIMG* source, int cx, int cy, float angle,
                         float scale, int trans_flag, int turn_flag, const MEMIMG* blend_image,
                         const SoftDrawState& state);

}  // namespace layer
