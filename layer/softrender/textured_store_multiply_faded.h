#pragma once

#include <cstdint>
#include <type_traits>

#include "layer/softrender/bright_stage.h"
#include "layer/softrender/textured_store_fade.h"

namespace layer {

// BlendMultiplyFaded: the destination moves toward its product with the texel,
// (s' * d) >> n, by the blend parameter.
struct MultipliedTarget {
    template <class L, bool kWhite, int kChannel>
    static int Of(const TexturedContext& c, int d, int s) {
        return (Brighten<kWhite, kChannel>(c, s) * d) >> L::kBits[kChannel];
    }
};

struct StoreMultiplyFaded {
    using Fade = FadeStore<MultipliedTarget>;
    static constexpr bool kSkipsAlphaZero = true;

    template <class L, bool kBlend, bool kWhite>
    static typename L::Word Opaque(const TexturedContext& c, typename L::Word d,
                                   std::uint32_t colour, std::uint32_t w) {
        return Fade::template Opaque<L, kBlend, kWhite>(c, d, colour, w);
    }

    // A 16-bit alpha texel without blend image or bright colour keeps green's product in
    // 1/32 steps: g = s * d / 2 and green' = d + floor((g - 32d) * a * p / 2^21).
    template <class L, bool kBlend, bool kWhite>
    static typename L::Word Alpha(const TexturedContext& c, typename L::Word d,
                                  std::uint32_t colour, std::uint32_t a, std::uint32_t w) {
        if constexpr (std::is_same_v<L, Layout16> && !kBlend && kWhite) {
            const typename L::Word faded =
                Fade::template Alpha<L, kBlend, kWhite>(c, d, colour, a, w);
            const int dg = GetChannel<L, 1>(d);
            const int g = (GetChannel<L, 1>(colour) * dg) >> 1;
            const std::int64_t sum = (static_cast<std::int64_t>(dg) << 21) +
                                     static_cast<std::int64_t>(g - 32 * dg) * a * c.p;
            const auto green = static_cast<std::uint32_t>(sum >> 21);
            return static_cast<typename L::Word>((faded & ~0x07E0u) | green << 5);
        } else {
            return Fade::template Alpha<L, kBlend, kWhite>(c, d, colour, a, w);
        }
    }
};

}  // namespace layer
