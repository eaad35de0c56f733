#include "layer/softrender/render_target.h"

namespace layer {

bool PrepareRenderTarget(const MEMIMG* dest, const SoftDrawState& state, RenderTarget* target) {
    if (!IsValidMemImg(dest)) {
        return false;
    }
    const MemImgBody& body = *dest->Body;
    if ((body.ColorType != 0 && body.ColorType != 1) || body.PaletteFlag == 1 ||
        body.AlphaFlag == 1) {
        return false;
    }
    target->pixels = dest->Pixels;
    target->pitch = body.Pitch;
    target->bits32 = body.ColorType == 1;
    target->bytes_per_pixel = target->bits32 ? 4 : 2;
    target->area = state.draw_area;
    ClipRect(&target->area, Rect{0, 0, dest->Width, dest->Height});
    return target->area.left < target->area.right && target->area.top < target->area.bottom;
}

int EffectiveBlendCode(int code, int parameter) {
    switch (code) {
        case BlendNone:
        case BlendMultiply:
        case BlendInvertedSource:
        case BlendMultiplyFaded:
            return code;
        case BlendTranslucent:
            return parameter == 0 ? -1 : parameter == 255 ? BlendNone : code;
        case BlendAdditive:
        case BlendSubtractive:
            return parameter == 0 ? -1 : code;
        default:
            return -1;
    }
}

}  // namespace layer
