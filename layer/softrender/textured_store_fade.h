#pragma once

#include <cstdint>
#include <type_traits>

#include "layer/softrender/fade_channel.h"
#include "layer/softrender/pixel_layout.h"
#include "layer/softrender/textured_context.h"

namespace layer {

// The stores that move each destination channel toward a target by the blend parameter,
// scaled further by the blend-image weight and the source alpha: translucent, inverted
// source and faded multiply differ only in their target. The 32-bit plain form divides by
// 256 rounding down; the 16-bit plain form by 255 toward the destination (difference table).
template <class Target>
struct FadeStore {
    static constexpr bool kSkipsAlphaZero = true;

    template <class L, bool kBlend, bool kWhite>
    static typename L::Word Opaque(const TexturedContext& c, typename L::Word d,
                                   std::uint32_t colour, std::uint32_t w) {
        return MapChannels<L>(d, colour, [&](auto ch, int dc, int s) {
            const int t = Target::template Of<L, kWhite, decltype(ch)::value>(c, dc, s);
            if constexpr (kBlend) {
                return FadeChannel<16>(dc, t, w * c.p);
            } else if constexpr (std::is_same_v<L, Layout32>) {
                return FadeChannel<8>(dc, t, c.p);
            } else {
                return FadeChannelByTable(c.difference_p, dc, t);
            }
        });
    }

    template <class L, bool kBlend, bool kWhite>
    static typename L::Word Alpha(const TexturedContext& c, typename L::Word d,
                                  std::uint32_t colour, std::uint32_t a, std::uint32_t w) {
        return MapChannels<L>(d, colour, [&](auto ch, int dc, int s) {
            const int t = Target::template Of<L, kWhite, decltype(ch)::value>(c, dc, s);
            if constexpr (kBlend) {
                return FadeChannel<24>(dc, t, w * a * c.p);
            } else {
                return FadeChannel<16>(dc, t, a * c.p);
            }
        });
    }
};

}  // namespace layer
