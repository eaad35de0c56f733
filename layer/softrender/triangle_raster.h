#pragma once

#include <cstdint>

#include "layer/softrender/draw_state.h"
#include "layer/softrender/memimg.h"
#include "layer/softrender/triangle_setup.h"

namespace layer {

// Draws the triangle of three vertices onto dest: textured from source with the pixel
// pipeline of the state's BlendMode, or, without a source, filled with fill_colour (a pixel
// value of the destination's format) by the constant-colour rule. Each row spans from the
// left edge's pixel to the right edge's pixel inclusive, from the top vertex's row down to
// the row above the bottom vertex, clipped to the draw area. Refused draws write nothing.
void RenderMemImgTriangle(MEMIMG* dest, const MEMIMG* source, const MemImgVertex* vertices,
                          int trans_flag, const MEMIMG* blend_image, std::uint32_t fill_colour,
                          const SoftDrawState& state);

}  // namespace layer
