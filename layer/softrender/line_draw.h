#pragma once

#include <cstdint>

#include "layer/softrender/draw_state.h"
#include "layer/softrender/memimg.h"

namespace layer {

// One line of a line list. The sixth field carries the blend parameter for other draw paths;
// here the state's parameter governs.
struct MemImgLineRecord {
    std::int32_t x1;
    std::int32_t y1;
    std::int32_t x2;
    std::int32_t y2;
    std::int32_t colour;
    std::int32_t blend_parameter;
};
static_assert(sizeof(MemImgLineRecord) == 24);

// Draws the segment from (x1, y1), which is drawn, to (x2, y2), which is not, in one colour
// (a pixel value of the destination's format) under the state's BlendMode, parameter and
// bright colour. It is clipped to the draw area through its line equation and stepped with an
// integer error accumulator, so a reversed line may draw other pixels.
void RenderMemImgLine(MEMIMG* dest, int x1, int y1, int x2, int y2, std::uint32_t colour,
                      const SoftDrawState& state);

// Draws count records in order; nothing for a count of 0 or less.
void RenderMemImgLines(MEMIMG* dest, const MemImgLineRecord* records, int count,
                       const SoftDrawState& state);

}  // namespace layer
