// Subtraction on the texture path: the destination is inverted, the source added, and the
// destination inverted again, since destination minus source = not (not destination + source).
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/draw_calls.h"
#include "layer/graphics/draw_setters.h"
#include "layer/graphics/graphics_services.h"
#include "layer/softrender/draw_state.h"

namespace layer {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr int kFullParameter = 255;
constexpr int kTextureAdditive = 5;

struct KeptPass {
    std::uint32_t bright_colour = kWhite;
    int blend_parameter = 0;
};

KeptPass kept;

// A white fill in the inverting mode turns every destination pixel into 255 minus itself.
void InvertRect(const Rect& rect) {
    SetBrightColour(kWhite);
    if (draw_settings.blend_mode != BlendSubtractive ||
        draw_settings.blend_parameter != kFullParameter) {
        SetBlendMode(BlendSubtractive, kFullParameter);
    }
    FillBoxTextured(rect.left, rect.top, rect.right, rect.bottom, kWhite);
    SetBrightColour(kept.bright_colour);
}

}  // namespace

int BeginInvertedBlendPass(const Rect& rect) {
    kept = {draw_settings.bright_colour, draw_settings.blend_parameter};
    InvertRect(rect);
    SetBlendMode(kTextureAdditive, kept.blend_parameter);
    return 0;
}

int EndInvertedBlendPass(const Rect& rect) {
    InvertRect(rect);
    SetBlendMode(BlendSubtractive, kept.blend_parameter);
    return 0;
}

}  // namespace layer
