#pragma once

// Four-pixel steps for the commonest 32-bit draws (direct source, no blend image, bright
// colour off, no transparency test). Each returns how many leading pixels it drew, a multiple
// of four; the scalar loop of the same rule draws the rest, and stands in for all of it where
// SSE2 is missing.

#include <cstdint>

#include "layer/softrender/blit_avx2.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace layer::blit {

#if defined(__SSE2__)

namespace simd {

inline __m128i Load(const std::uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
inline void Store(std::uint8_t* p, __m128i v) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
}

// d + floor((s - d) * p / 256) on 16-bit lanes: the 32-bit product's high and low halves
// give its floor shift by 8 exactly.
inline __m128i MixLanes(__m128i d, __m128i s, __m128i p) {
    const __m128i difference = _mm_sub_epi16(s, d);
    const __m128i high = _mm_mulhi_epi16(difference, p);
    const __m128i low = _mm_mullo_epi16(difference, p);
    return _mm_add_epi16(d, _mm_or_si128(_mm_slli_epi16(high, 8), _mm_srli_epi16(low, 8)));
}

// floor(x / 255) for x = p * s (at most 65,025): (x + 1 + (x >> 8)) >> 8.
inline __m128i ProductLanes(__m128i s, __m128i p) {
    const __m128i x = _mm_mullo_epi16(s, p);
    return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(x, _mm_set1_epi16(1)), _mm_srli_epi16(x, 8)),
                          8);
}

inline __m128i PackedAdd(__m128i d, __m128i s) {
    const __m128i keep = _mm_set1_epi32(0x00FEFEFF);
    const __m128i sum = _mm_add_epi32(_mm_and_si128(d, keep), _mm_and_si128(s, keep));
    __m128i c = _mm_and_si128(sum, _mm_set1_epi32(0x01010100));
    c = _mm_sub_epi32(c, _mm_srli_epi32(c, 8));
    return _mm_or_si128(c, sum);
}

// Four pixels of d, each channel moved toward s by p / 256 rounded down; X kept from d.
inline __m128i MixPixels(__m128i d, __m128i s, int p) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i factor = _mm_set1_epi16(static_cast<short>(p));
    const __m128i x_byte = _mm_set1_epi32(static_cast<int>(0xFF000000));
    const __m128i low = MixLanes(_mm_unpacklo_epi8(d, zero), _mm_unpacklo_epi8(s, zero), factor);
    const __m128i high = MixLanes(_mm_unpackhi_epi8(d, zero), _mm_unpackhi_epi8(s, zero), factor);
    const __m128i mixed = _mm_packus_epi16(low, high);
    return _mm_or_si128(_mm_andnot_si128(x_byte, mixed), _mm_and_si128(d, x_byte));
}

// Four pixels of t added to d with PackedAdd32 and the low-bit restore; X of t plays no part.
inline __m128i AddPixelsRestore(__m128i d, __m128i t) {
    const __m128i restored = _mm_and_si128(_mm_or_si128(d, t), _mm_set1_epi32(0x00010100));
    return _mm_or_si128(PackedAdd(d, t), restored);
}

// t = P(p, s) per channel (X 0) of four pixels, added to d with the low-bit restore.
inline __m128i AddProductPixels(__m128i d, __m128i s, int p) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i factor = _mm_set1_epi16(static_cast<short>(p));
    const __m128i t =
        _mm_and_si128(_mm_packus_epi16(ProductLanes(_mm_unpacklo_epi8(s, zero), factor),
                                       ProductLanes(_mm_unpackhi_epi8(s, zero), factor)),
                      _mm_set1_epi32(0x00FFFFFF));
    return AddPixelsRestore(d, t);
}

// d + floor((s - d) * f / 65536) on 16-bit lanes for factors f up to 65,535: the signed
// multiply reads an f above 32,767 as f - 65,536, which takes s - d off its result once.
inline __m128i WeightedMixLanes(__m128i d, __m128i s, __m128i f) {
    const __m128i difference = _mm_sub_epi16(s, d);
    const __m128i high = _mm_mulhi_epi16(difference, f);
    const __m128i taken_off = _mm_and_si128(difference, _mm_srai_epi16(f, 15));
    return _mm_add_epi16(d, _mm_add_epi16(high, taken_off));
}

// Four pixels of d, each channel moved toward s by (alpha of s) * p / 65536 rounded down; X
// kept from d. With kFullAtOpaque alpha 255 moves by p / 256 instead, as the draws that test
// alpha do (alpha 0 leaves d either way).
template <bool kFullAtOpaque>
inline __m128i AlphaMixPixels(__m128i d, __m128i s, int p) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i alpha = _mm_srli_epi32(s, 24);
    __m128i factor = _mm_mullo_epi16(alpha, _mm_set1_epi32(p));
    if constexpr (kFullAtOpaque) {
        const __m128i opaque = _mm_cmpeq_epi32(alpha, _mm_set1_epi32(255));
        factor = _mm_or_si128(_mm_andnot_si128(opaque, factor),
                              _mm_and_si128(opaque, _mm_set1_epi32(p << 8)));
    }
    factor = _mm_or_si128(factor, _mm_slli_epi32(factor, 16));
    const __m128i x_byte = _mm_set1_epi32(static_cast<int>(0xFF000000));
    const __m128i low = WeightedMixLanes(_mm_unpacklo_epi8(d, zero), _mm_unpacklo_epi8(s, zero),
                                         _mm_unpacklo_epi32(factor, factor));
    const __m128i high = WeightedMixLanes(_mm_unpackhi_epi8(d, zero), _mm_unpackhi_epi8(s, zero),
                                          _mm_unpackhi_epi32(factor, factor));
    const __m128i mixed = _mm_packus_epi16(low, high);
    return _mm_or_si128(_mm_andnot_si128(x_byte, mixed), _mm_and_si128(d, x_byte));
}

}  // namespace simd

// Each channel Mix(d, s; a * p) with a the source pixel's alpha; X kept. kFullAtOpaque: as
// AlphaMixPixels.
template <bool kFullAtOpaque>
inline int AlphaMixRow32Simd(std::uint8_t* dst, const std::uint8_t* src, int count, int p) {
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        simd::Store(dst + i * 4, simd::AlphaMixPixels<kFullAtOpaque>(simd::Load(dst + i * 4),
                                                                     simd::Load(src + i * 4), p));
    }
    return i;
}

// Each channel Mix(d, s; p); X kept.
inline int MixRow32Simd(std::uint8_t* dst, const std::uint8_t* src, int count, int p) {
    int i = MixRow32Avx2(dst, src, count, p);
    for (; i + 4 <= count; i += 4) {
        simd::Store(dst + i * 4,
                    simd::MixPixels(simd::Load(dst + i * 4), simd::Load(src + i * 4), p));
    }
    return i;
}

// T from t = P(p, s) per channel (X 0), then PackedAdd32 with low-bit restore.
inline int AddProductRow32Simd(std::uint8_t* dst, const std::uint8_t* src, int count, int p) {
    int i = AddProductRow32Avx2(dst, src, count, p);
    for (; i + 4 <= count; i += 4) {
        simd::Store(dst + i * 4,
                    simd::AddProductPixels(simd::Load(dst + i * 4), simd::Load(src + i * 4), p));
    }
    return i;
}

// PackedAdd32 of the raw source, no restore.
inline int PackedAddRow32Simd(std::uint8_t* dst, const std::uint8_t* src, int count) {
    int i = PackedAddRow32Avx2(dst, src, count);
    for (; i + 4 <= count; i += 4) {
        simd::Store(dst + i * 4, simd::PackedAdd(simd::Load(dst + i * 4), simd::Load(src + i * 4)));
    }
    return i;
}

inline int SaturatingAddRow32Simd(std::uint8_t* dst, const std::uint8_t* src, int count) {
    int i = SaturatingAddRow32Avx2(dst, src, count);
    for (; i + 4 <= count; i += 4) {
        simd::Store(dst + i * 4, _mm_adds_epu8(simd::Load(dst + i * 4), simd::Load(src + i * 4)));
    }
    return i;
}

inline int SaturatingSubRow32Simd(std::uint8_t* dst, const std::uint8_t* src, int count) {
    int i = SaturatingSubRow32Avx2(dst, src, count);
    for (; i + 4 <= count; i += 4) {
        simd::Store(dst + i * 4, _mm_subs_epu8(simd::Load(dst + i * 4), simd::Load(src + i * 4)));
    }
    return i;
}

#else

inline int MixRow32Simd(std::uint8_t*, const std::uint8_t*, int, int) {
    return 0;
}
template <bool kFullAtOpaque>
inline int AlphaMixRow32Simd(std::uint8_t*, const std::uint8_t*, int, int) {
    return 0;
}
inline int AddProductRow32Simd(std::uint8_t*, const std::uint8_t*, int, int) {
    return 0;
}
inline int PackedAddRow32Simd(std::uint8_t*, const std::uint8_t*, int) {
    return 0;
}
inline int SaturatingAddRow32Simd(std::uint8_t*, const std::uint8_t*, int) {
    return 0;
}
inline int SaturatingSubRow32Simd(std::uint8_t*, const std::uint8_t*, int) {
    return 0;
}

#endif

}  // namespace layer::blit
