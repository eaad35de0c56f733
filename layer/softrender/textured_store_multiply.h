#pragma once

#include <cstdint>

#include "layer/softrender/bright_stage.h"
#include "layer/softrender/pixel_layout.h"

namespace layer {

// BlendMultiply: each channel becomes (s' * d) >> n, further scaled by the blend-image weight
// and the source alpha. It ignores the blend parameter, and alpha 0 blackens rather than
// skips, with the transparency flag set or clear.
struct StoreMultiply {
    static constexpr bool kSkipsAlphaZero = false;

    template <class L, bool kBlend, bool kWhite>
    static typename L::Word Opaque(const TexturedContext& c, typename L::Word d,
                                   std::uint32_t colour, std::uint32_t w) {
        return MapChannels<L>(d, colour, [&](auto ch, int dc, int s) {
            constexpr int kChannel = decltype(ch)::value;
            const auto product = static_cast<std::uint32_t>(Brighten<kWhite, kChannel>(c, s) * dc);
            if constexpr (kBlend) {
                return static_cast<int>((w * product) >> (L::kBits[kChannel] + 8));
            } else {
                return static_cast<int>(product >> L::kBits[kChannel]);
            }
        });
    }

    template <class L, bool kBlend, bool kWhite>
    static typename L::Word Alpha(const TexturedContext& c, typename L::Word d,
                                  std::uint32_t colour, std::uint32_t a, std::uint32_t w) {
        return MapChannels<L>(d, colour, [&](auto ch, int dc, int s) {
            constexpr int kChannel = decltype(ch)::value;
            const auto product =
                static_cast<std::uint32_t>(Brighten<kWhite, kChannel>(c, s) * dc) * a;
            if constexpr (kBlend) {
                return static_cast<int>((w * product) >> (L::kBits[kChannel] + 16));
            } else {
                return static_cast<int>(product >> (L::kBits[kChannel] + 8));
            }
        });
    }
};

}  // namespace layer
