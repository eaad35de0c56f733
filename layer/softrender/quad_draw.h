#pragma once

#include <cstdint>

#include "layer/softrender/draw_state.h"
#include "layer/softrender/memimg.h"

namespace layer {

struct MemImgPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// Draws the whole source onto four free corners: where its top-left, top-right, bottom-left
// and bottom-right corners go, in that order. Two textured triangles, (V0 V1 V2) then
// (V1 V2 V3), so pixels of the shared diagonal may be drawn twice. A box 2 pixels beyond the
// points to the left and top and 4 to the right and bottom rejects quads outside the draw
// area before any triangle work.
void RenderMemImgQuad(MEMIMG* dest, const MEMIMG* source, const MemImgPoint* points, int trans_flag,
                      const MEMIMG* blend_image, const SoftDrawState& state);

}  // namespace layer
