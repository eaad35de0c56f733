#include "layer/softrender/blit_setup.h"

#include <algorithm>

#include "layer/softrender/blend_tables.h"

namespace layer::blit {

namespace {

bool ImagesAccepted(const MEMIMG* destination, const MEMIMG* source, const MEMIMG* blend_image) {
    if (TestMemImgValid(destination) == 0 || TestMemImgValid(source) == 0) {
        return false;
    }
    const MemImgBody& d = *destination->Body;
    const MemImgBody& s = *source->Body;
    if (d.ColorType != s.ColorType || d.PaletteFlag != 0 || d.AlphaFlag != 0) {
        return false;
    }
    if (s.ColorType != 0 && s.ColorType != 1) {
        return false;
    }
    return blend_image == nullptr ||
           (TestMemImgValid(blend_image) == 1 && blend_image->Body->ColorType == 2 &&
            blend_image->Width >= source->Width && blend_image->Height >= source->Height);
}

// The mode after the gates, or -1 when nothing is drawn.
int GatedMode(int mode, int p) {
    const bool known = (mode >= BlendNone && mode <= BlendMultiply) ||
                       mode == BlendInvertedSource || mode == BlendMultiplyFaded;
    if (!known) {
        return -1;
    }
    if ((mode == BlendTranslucent || mode == BlendAdditive || mode == BlendSubtractive) && p == 0) {
        return -1;
    }
    if (mode == BlendTranslucent && p == 255) {
        return BlendNone;
    }
    return mode;
}

}  // namespace

bool PrepareBlit(const MEMIMG* destination, const MEMIMG* source, const MEMIMG* blend_image,
                 int transparency, const SoftDrawState& state, BlitSetup* setup) {
    if (!ImagesAccepted(destination, source, blend_image)) {
        return false;
    }
    const int p = std::clamp(state.blend_parameter, 0, 255);
    const int mode = GatedMode(state.blend_mode, p);
    if (mode < 0) {
        return false;
    }
    const MemImgBody& body = *source->Body;
    RowChoice& choice = setup->choice;
    choice.wide = body.ColorType == 1;
    choice.source = body.PaletteFlag != 0 ? Source::Palette
                    : body.AlphaFlag != 0 ? Source::Alpha
                                          : Source::Direct;
    choice.mode = mode;
    choice.blend = blend_image != nullptr;
    choice.bright = (state.bright_color & 0xFFFFFF) != 0xFFFFFF;
    choice.trans = transparency != 0;
    choice.mmx = state.mmx;
    choice.p = p;

    Context& ctx = setup->context;
    ctx.product_p = BlendProduct + p * 256;
    ctx.difference_p = BlendDifference + p * 512 + 256;
    ctx.mix64_j = BlendMix64 + (p / 4) * 4096;
    for (int channel = 0; channel < 3; ++channel) {
        ctx.bright_rows[channel] =
            BlendProduct + ((state.bright_color >> (8 * channel)) & 0xFF) * 256;
    }
    ctx.palette = body.Palette;
    ctx.trans_color = body.TransColor;
    ctx.p = p;

    setup->area = state.draw_area;
    ClipRect(&setup->area, Rect{0, 0, destination->Width, destination->Height});
    setup->source_bytes = body.Format->bytes_per_pixel;
    setup->destination_bytes = destination->Body->Format->bytes_per_pixel;
    return true;
}

}  // namespace layer::blit
