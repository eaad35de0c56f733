#include "layer/softrender/constant_colour_rule.h"

#include "layer/softrender/blend_tables.h"

namespace layer {
namespace {

template <class L>
ConstantColour Prepare(std::uint32_t colour, const SoftDrawState& state, BrightStep step) {
    const std::uint32_t bright = state.bright_color;
    const bool white = (bright & 0xFFFFFF) == 0xFFFFFF;
    const int p = state.blend_parameter;
    const auto bright_of = [&](auto ch) {
        return static_cast<int>(bright >> (8 * decltype(ch)::value)) & 0xFF;
    };
    ConstantColour k;
    k.colour = colour;
    if (step == BrightStep::kTriangle) {
        k.colour = MapChannels<L>(
            static_cast<typename L::Word>(colour), colour,
            [&](auto ch, int, int c) { return BlendProduct[bright_of(ch) * 256 + c]; });
    } else if (!white) {
        k.colour = MapChannels<L>(static_cast<typename L::Word>(colour), colour,
                                  [&](auto ch, int, int c) { return (c * bright_of(ch)) >> 8; });
    }
    k.p = static_cast<std::uint32_t>(p);
    k.term =
        MapChannels<L>(0, k.colour, [&](auto, int, int c) { return BlendProduct[p * 256 + c]; });
    k.difference_p = BlendDifference + p * 512 + 256;
    return k;
}

}  // namespace

ConstantColour PrepareConstantColour(bool bits32, std::uint32_t colour, const SoftDrawState& state,
                                     BrightStep step) {
    return bits32 ? Prepare<Layout32>(colour, state, step)
                  : Prepare<Layout16>(colour & 0xFFFF, state, step);
}

}  // namespace layer
