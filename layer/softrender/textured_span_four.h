#pragma once

// Four destination pixels at a time for the commonest textured draws: 32-bit texels without
// alpha, transparency test, blend image or bright colour, drawn translucent or additive, over
// the part of a span whose texels all lie inside the texture. The results are those of the
// stores' per-pixel rules.

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

// Draws the span's pixels four at a time, every texel inside the texture; stops with fewer
// than four left. Where SSE2 is missing it draws nothing.
template <class Store>
void DrawFourAtATime([[maybe_unused]] const TexturedContext& c,
                     [[maybe_unused]] std::uint8_t*& dest, [[maybe_unused]] int& count,
                     [[maybe_unused]] std::uint32_t& u, [[maybe_unused]] std::uint32_t& v,
                     [[maybe_unused]] std::uint32_t du, [[maybe_unused]] std::uint32_t dv) {
#if defined(__SSE2__)
    const auto texel = [&](std::uint32_t at_u, std::uint32_t at_v) {
        return static_cast<int>(SourceDirect32::Fetch<false>(
            c, static_cast<int>(at_u >> kFixedShift), static_cast<int>(at_v >> kFixedShift)));
    };
    for (; count >= 4; count -= 4, dest += 16, u += 4 * du, v += 4 * dv) {
        const __m128i s =
            _mm_setr_epi32(texel(u, v), texel(u + du, v + dv), texel(u + 2 * du, v + 2 * dv),
                           texel(u + 3 * du, v + 3 * dv));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dest));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dest), FourPixelStore<Store>::Of(c, d, s));
    }
#endif
}

}  // namespace layer
