#include "layer/softrender/box_fill.h"

#include <algorithm>

#include "layer/softrender/constant_colour_loops.h"
#include "layer/softrender/render_target.h"

namespace layer {

void RenderMemImgBox(MEMIMG* dest, const Rect* rect, std::uint32_t colour,
                     const SoftDrawState& state) {
    RenderTarget target;
    const int code = EffectiveBlendCode(state.blend_mode, state.blend_parameter);
    if (code < 0 || state.blend_parameter < 0 || state.blend_parameter > 255 ||
        !PrepareRenderTarget(dest, state, &target)) {
        return;
    }
    Rect box{0, 0, dest->Width, dest->Height};
    if (rect != nullptr) {
        box = Rect{std::min(rect->left, rect->right), std::min(rect->top, rect->bottom),
                   std::max(rect->left, rect->right), std::max(rect->top, rect->bottom)};
    }
    ClipRect(&box, target.area);
    const int width = box.right - box.left;
    if (width == 0 || box.top == box.bottom) {
        return;
    }
    const ConstantLoops loops = SelectConstantLoops(target.bits32, code);
    const ConstantColour prepared =
        PrepareConstantColour(target.bits32, colour, state, BrightStep::kBoxAndLine);
    for (int row = box.top; row < box.bottom; ++row) {
        loops.span(prepared, PixelAddress(target, box.left, row), width);
    }
}

}  // namespace layer
