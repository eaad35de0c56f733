#pragma once

#include "layer/softrender/draw_state.h"
#include "layer/softrender/memimg.h"
#include "layer/softrender/render_target.h"
#include "layer/softrender/textured_context.h"

namespace layer {

// A textured draw made ready: its destination, the per-draw values of the pixel pipeline,
// and the one span loop that every pixel of the draw goes through.
struct TexturedDraw {
    RenderTarget target;
    TexturedContext context;
    TexturedSpanFn span = nullptr;
};

// Sources this wide or high would let negative texel positions pass the unsigned range test.
constexpr int kTexturedSourceLimit = 8192;

// False when the draw writes nothing: a destination refused by PrepareRenderTarget, a source
// that is invalid, of another colour type than the destination or 8192 pixels or more wide or
// high, a blend image that is not 8-bit single channel or smaller than the source, or a
// BlendMode code and parameter that draw nothing.
bool PrepareTexturedDraw(const MEMIMG* dest, const MEMIMG* source, int trans_flag,
                         const MEMIMG* blend_image, const SoftDrawState& state, TexturedDraw* draw);

}  // namespace layer
