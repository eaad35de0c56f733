#include "layer/softrender/textured_draw.h"

#include "layer/softrender/blend_tables.h"
#include "layer/softrender/fixed_point.h"
#include "layer/softrender/textured_span_table.h"

namespace layer {
namespace {

bool BlendImageFits(const MEMIMG& blend_image, const MEMIMG& source) {
    return IsValidMemImg(&blend_image) && blend_image.Body->ColorType == 2 &&
           blend_image.Width >= source.Width && blend_image.Height >= source.Height;
}

TexelVariant VariantOf(const MemImgBody& body) {
    if (body.ColorType == 1) {
        return body.PaletteFlag == 1 ? TexelVariant::kPalette32 : TexelVariant::kDirect32;
    }
    return body.PaletteFlag == 1 ? TexelVariant::kPalette16 : TexelVariant::kDirect16;
}

}  // namespace

bool PrepareTexturedDraw(const MEMIMG* dest, const MEMIMG* source, int trans_flag,
                         const MEMIMG* blend_image, const SoftDrawState& state,
                         TexturedDraw* draw) {
    if (!PrepareRenderTarget(dest, state, &draw->target) || !IsValidMemImg(source)) {
        return false;
    }
    const MemImgBody& body = *source->Body;
    if (body.ColorType != dest->Body->ColorType || source->Width <= 0 || source->Height <= 0 ||
        source->Width >= kTexturedSourceLimit || source->Height >= kTexturedSourceLimit) {
        return false;
    }
    const bool palette = body.PaletteFlag == 1;
    if ((palette && body.Palette == nullptr) ||
        (blend_image != nullptr && !BlendImageFits(*blend_image, *source))) {
        return false;
    }
    const int p = state.blend_parameter;
    const int code = EffectiveBlendCode(state.blend_mode, p);
    if (code < 0 || p < 0 || p > 255) {
        return false;
    }
    const bool white = (state.bright_color & 0xFFFFFF) == 0xFFFFFF;
    draw->span = SelectTexturedSpan(VariantOf(body), code, p, blend_image != nullptr, white,
                                    !palette && body.AlphaFlag == 1, trans_flag != 0);
    if (draw->span == nullptr) {
        return false;
    }

    TexturedContext& c = draw->context;
    c.source_pixels = source->Pixels;
    c.source_pitch = body.Pitch;
    c.width_fixed = static_cast<std::uint32_t>(source->Width) * kFixedOne;
    c.height_fixed = static_cast<std::uint32_t>(source->Height) * kFixedOne;
    c.trans_colour = body.TransColor;
    c.palette = palette ? body.Palette : nullptr;
    if (blend_image != nullptr) {
        c.blend_pixels = blend_image->Pixels;
        c.blend_pitch = blend_image->Body->Pitch;
    }
    c.weight = BlendWeight;
    c.p = static_cast<std::uint32_t>(p);
    c.product_p = BlendProduct + p * 256;
    c.difference_p = BlendDifference + p * 512 + 256;
    for (int channel = 0; channel < 3; ++channel) {
        c.bright_rows[channel] =
            BlendProduct + ((state.bright_color >> (8 * channel)) & 0xFF) * 256;
    }
    return true;
}

}  // namespace layer
