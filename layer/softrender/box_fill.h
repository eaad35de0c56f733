#pragma once

#include <cstdint>

#include "layer/core/rect.h"
#include "layer/softrender/draw_state.h"
#include "layer/softrender/memimg.h"

namespace layer {

// Fills a rectangle (null for the whole image; corners in either order) with one colour, a
// pixel value of the destination's format, under the state's BlendMode, parameter and bright
// colour, clipped to the draw area. Palette and alpha destinations are left untouched.
void RenderMemImgBox(MEMIMG* dest, const Rect* rect, std::uint32_t colour,
                     const SoftDrawState& state);

}  // namespace layer
