#pragma once

// A slow pixel-by-pixel statement of the software blits, written for clarity rather than
// speed, that the fast loops are checked against. Same arguments and refusals as the real
// RenderMemImg and RenderMemImgStretched.

#include <cstdint>

#include "layer/core/rect.h"
#include "layer/softrender/draw_state.h"
#include "layer/softrender/memimg.h"

namespace reference {

void RenderMemImg(layer::MEMIMG* destination, const layer::MEMIMG* source, int x, int y,
                  int transparency, const layer::MEMIMG* blend_image,
                  const layer::SoftDrawState& state);

void RenderMemImgStretched(layer::MEMIMG* destination, const layer::MEMIMG* source,
                           const layer::Rect& corners, int transparency,
                           const layer::MEMIMG* blend_image, const layer::SoftDrawState& state);

// The packed whole-pixel operations, each stated channel by channel.
std::uint32_t PackedAdd32(std::uint32_t d, std::uint32_t s, bool restore);
std::uint32_t PackedSub32(std::uint32_t d, std::uint32_t s);
std::uint32_t PackedAdd16(std::uint32_t d, std::uint32_t s, bool restore);
std::uint32_t PackedSub16(std::uint32_t d, std::uint32_t s);
// Two pixels per word, the first in the low half.
std::uint32_t PackedAdd16x2(std::uint32_t d, std::uint32_t s);
std::uint32_t PackedSub16x2(std::uint32_t d, std::uint32_t s);

}  // namespace reference
