#pragma once

#include <cstdint>

#include "layer/softrender/bright_stage.h"
#include "layer/softrender/fade_channel.h"
#include "layer/softrender/pixel_layout.h"

namespace layer {

// BlendNone: the texel replaces the destination, mixed by the blend-image weight and the
// source alpha where they apply. Only the plain copy writes the texel's byte 3.
struct StoreNone {
    static constexpr bool kSkipsAlphaZero = true;

    template <class L, bool kBlend, bool kWhite>
    static typename L::Word Opaque(const TexturedContext& c, typename L::Word d,
                                   std::uint32_t colour, std::uint32_t w) {
        if constexpr (!kBlend && kWhite) {
            return static_cast<typename L::Word>(colour);
        } else {
            return MapChannels<L>(d, colour, [&](auto ch, int dc, int s) {
                const int s1 = Brighten<kWhite, decltype(ch)::value>(c, s);
                if constexpr (kBlend) {
                    return FadeChannel<8>(dc, s1, w);
                } else {
                    return s1;
                }
            });
        }
    }

    template <class L, bool kBlend, bool kWhite>
    static typename L::Word Alpha(const TexturedContext& c, typename L::Word d,
                                  std::uint32_t colour, std::uint32_t a, std::uint32_t w) {
        return MapChannels<L>(d, colour, [&](auto ch, int dc, int s) {
            const int s1 = Brighten<kWhite, decltype(ch)::value>(c, s);
            if constexpr (kBlend) {
                return FadeChannel<16>(dc, s1, w * a);
            } else {
                return FadeChannel<8>(dc, s1, a);
            }
        });
    }
};

}  // namespace layer
