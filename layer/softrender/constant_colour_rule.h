#pragma once

#include <cstdint>
#include <type_traits>

#include "layer/softrender/draw_state.h"
#include "layer/softrender/fade_channel.h"
#include "layer/softrender/packed_ops.h"
#include "layer/softrender/pixel_layout.h"

namespace layer {

// Boxes and lines scale the colour by (c * b) >> 8, and only when the bright colour is not
// white; the flat triangle always goes through the product table. The two round apart: a
// bright channel of 255 lowers a box's colour channel by one but leaves a triangle's.
enum class BrightStep { kBoxAndLine, kTriangle };

// The colour of a box, line or flat triangle, prepared once per draw.
struct ConstantColour {
    // After the bright step; only the low 16 bits for a 16-bit destination.
    std::uint32_t colour = 0;
    // The additive and subtractive term: each channel scaled by the blend parameter.
    std::uint32_t term = 0;
    std::uint32_t p = 0;
    // Difference-table row of the blend parameter at its centre.
    const std::int32_t* difference_p = nullptr;
};

ConstantColour PrepareConstantColour(bool bits32, std::uint32_t colour, const SoftDrawState& state,
                                     BrightStep step);

// The new destination pixel under BlendMode code kCode (already past its parameter gates).
template <class L, int kCode>
inline typename L::Word CombineConstant(const ConstantColour& k, typename L::Word d) {
    constexpr bool kBits32 = std::is_same_v<L, Layout32>;
    const auto fade = [&](int dc, int target) {
        if constexpr (kBits32) {
            return FadeChannel<8>(dc, target, k.p);
        } else {
            return FadeChannelByTable(k.difference_p, dc, target);
        }
    };
    if constexpr (kCode == BlendNone) {
        return static_cast<typename L::Word>(k.colour);
    } else if constexpr (kCode == BlendTranslucent) {
        return MapChannels<L>(d, k.colour, [&](auto, int dc, int c) { return fade(dc, c); });
    } else if constexpr (kCode == BlendAdditive) {
        if constexpr (kBits32) {
            return PackedAdd32Restore(d, k.term);
        } else {
            return static_cast<std::uint16_t>(PackedAdd16Restore(d, k.term));
        }
    } else if constexpr (kCode == BlendSubtractive) {
        if constexpr (kBits32) {
            return PackedSub32(d, k.term);
        } else {
            return static_cast<std::uint16_t>(PackedSub16(d, k.term));
        }
    } else if constexpr (kCode == BlendMultiply) {
        return MapChannels<L>(d, k.colour, [&](auto ch, int dc, int c) {
            return (dc * c) >> L::kBits[decltype(ch)::value];
        });
    } else if constexpr (kCode == BlendInvertedSource) {
        return MapChannels<L>(d, k.colour, [&](auto ch, int dc, int c) {
            return fade(dc, ChannelMax<L, decltype(ch)::value> - c);
        });
    } else {
        static_assert(kCode == BlendMultiplyFaded);
        return MapChannels<L>(d, k.colour, [&](auto ch, int dc, int c) {
            return fade(dc, (dc * c) >> L::kBits[decltype(ch)::value]);
        });
    }
}

}  // namespace layer
