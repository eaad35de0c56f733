#pragma once

// Four destination pixels at a time for the commonest textured draws: 32-bit texels without
// alpha, transparency test, blend image or bright colour, drawn translucent or additive. The
// results are those of the stores' per-pixel rules.

#include <cstdint>

#include "layer/softrender/blit_simd.h"
#include "layer/softrender/fixed_point.h"
#include "layer/softrender/texel_source.h"
#include "layer/softrender/textured_context.h"
#include "layer/softrender/textured_store_additive.h"
#include "layer/softrender/textured_store_translucent.h"

namespace layer {

template <class Store>
struct FourPixelStore {
    static constexpr bool kApplies = false;
};

#if defined(__SSE2__)

template <>
struct FourPixelStore<StoreTranslucent> {
    static constexpr bool kApplies = true;
    static __m128i Of(const TexturedContext& c, __m128i d, __m128i s) {
        return blit::simd::MixPixels(d, s, static_cast<int>(c.p));
    }
};

template <>
struct FourPixelStore<StoreAdditive> {
    static constexpr bool kApplies = true;
    static __m128i Of(const TexturedContext& c, __m128i d, __m128i s) {
        return blit::simd::AddProductPixels(d, s, static_cast<int>(c.p));
    }
};

template <>
struct FourPixelStore<StoreAdditiveFull> {
    static constexpr bool kApplies = true;
    static __m128i Of(const TexturedContext&, __m128i d, __m128i s) {
        return blit::simd::AddPixelsRestore(d, s);
    }
};

#endif

// Draws the span's pixels four at a time while the four texels lie inside the texture, and
// the others through `one` (which draws the pixel at dest, u, v); stops with fewer than four
// left. Where SSE2 is missing it draws nothing and `one` does all.
template <class Store, class One>
void DrawFourAtATime([[maybe_unused]] const TexturedContext& c,
                     [[maybe_unused]] std::uint8_t*& dest, [[maybe_unused]] int& count,
                     [[maybe_unused]] std::uint32_t& u, [[maybe_unused]] std::uint32_t& v,
                     [[maybe_unused]] std::uint32_t du, [[maybe_unused]] std::uint32_t dv,
                     [[maybe_unused]] One one) {
#if defined(__SSE2__)
    const auto inside = [&](std::uint32_t at_u, std::uint32_t at_v) {
        return at_u < c.width_fixed && at_v < c.height_fixed;
    };
    while (count >= 4) {
        if (inside(u, v) && inside(u + du, v + dv) && inside(u + 2 * du, v + 2 * dv) &&
            inside(u + 3 * du, v + 3 * dv)) {
            std::uint32_t texels[4];
            for (std::uint32_t i = 0; i < 4; ++i) {
                texels[i] =
                    SourceDirect32::Fetch<false>(c, static_cast<int>((u + i * du) >> kFixedShift),
                                                 static_cast<int>((v + i * dv) >> kFixedShift));
            }
            const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(texels));
            const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dest));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(dest), FourPixelStore<Store>::Of(c, d, s));
            dest += 16;
            u += 4 * du;
            v += 4 * dv;
            count -= 4;
        } else {
            one();
            dest += 4;
            u += du;
            v += dv;
            --count;
        }
    }
#endif
}

}  // namespace layer
