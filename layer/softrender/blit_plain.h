#pragma once

#include "layer/softrender/draw_state.h"
#include "layer/softrender/memimg.h"

namespace layer {

// Draws the whole source with its top-left pixel at (x, y) of the destination, unscaled,
// clipped to the draw area (itself limited to the destination), under the draw state.
// `transparency` other than 0 switches the transparent-colour and alpha tests on; only 1 lets
// a source with a valid run table be drawn run by run. `blend_image` (colour type 2, at least
// the source's size, or null) is read at source coordinates. Nothing is drawn for an invalid
// image, a destination with palette or alpha or of another colour type than the source, a
// source of colour type 2 or 3, or an unfit blend image.
void RenderMemImg(MEMIMG* destination, const MEMIMG* source, int x, int y, int transparency,
                  const MEMIMG* blend_image, const SoftDrawState& state);

}  // namespace layer
