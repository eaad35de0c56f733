#pragma once

#include <cstdint>
#include <type_traits>

#include "layer/softrender/bright_stage.h"
#include "layer/softrender/pixel_layout.h"

namespace layer {

// The source term of the additive and subtractive stores, packed like a pixel: each channel
// after the bright colour stage, scaled by the blend parameter and, where they apply, the
// blend-image weight and the source alpha. 32-bit channels scale by powers of two past the
// parameter's product row; 16-bit fields always end in that row, and without a blend image
// the alpha is applied before the bright colour.
template <class L, bool kBlend, bool kWhite>
inline std::uint32_t OpaqueTerm(const TexturedContext& c, std::uint32_t colour, std::uint32_t w) {
    return MapChannels<L>(0, colour, [&](auto ch, int, int s) {
        const auto s1 = static_cast<std::uint32_t>(Brighten<kWhite, decltype(ch)::value>(c, s));
        if constexpr (!kBlend) {
            return c.product_p[s1];
        } else if constexpr (std::is_same_v<L, Layout32>) {
            return static_cast<int>((s1 * w * c.p) >> 16);
        } else {
            return c.product_p[(s1 * w) >> 8];
        }
    });
}

template <class L, bool kBlend, bool kWhite>
inline std::uint32_t AlphaTerm(const TexturedContext& c, std::uint32_t colour, std::uint32_t a,
                               std::uint32_t w) {
    return MapChannels<L>(0, colour, [&](auto ch, int, int s) {
        constexpr int kChannel = decltype(ch)::value;
        if constexpr (std::is_same_v<L, Layout32>) {
            const auto s1 = static_cast<std::uint32_t>(Brighten<kWhite, kChannel>(c, s));
            if constexpr (kBlend) {
                return static_cast<int>((s1 * w * a * c.p) >> 24);
            } else {
                return static_cast<int>((s1 * a * c.p) >> 16);
            }
        } else if constexpr (kBlend) {
            const auto s1 = static_cast<std::uint32_t>(Brighten<kWhite, kChannel>(c, s));
            return c.product_p[(s1 * w * a) >> 16];
        } else {
            return c.product_p[Brighten<kWhite, kChannel>(c, (s * static_cast<int>(a)) >> 8)];
        }
    });
}

}  // namespace layer
