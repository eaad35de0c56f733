#include "layer/softrender/blit_avx2.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define QVARN_HAS_AVX2_LOOPS 1
#endif

namespace layer::blit {

#if defined(QVARN_HAS_AVX2_LOOPS)

namespace {

bool ProcessorHasAvx2() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
}

bool avx2_loops = ProcessorHasAvx2();

// B, G, R added with the carries of a 32-bit add: the carry out of each channel lies in the
// low bit of the next one, which the masks cleared in both operands; a saturating byte add of
// the destination and the source with those carries ORed in gives every channel and X.
__attribute__((target("avx2"))) int PackedAddRows(std::uint8_t* dst, const std::uint8_t* src,
                                                  int count) {
    const __m256i keep = _mm256_set1_epi32(0x00FEFEFF);
    const __m256i carries = _mm256_set1_epi32(0x01010100);
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i d = _mm256_and_si256(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + i * 4)), keep);
        const __m256i s = _mm256_and_si256(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i * 4)), keep);
        const __m256i carry = _mm256_and_si256(_mm256_add_epi32(d, s), carries);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i * 4),
                            _mm256_adds_epu8(d, _mm256_or_si256(s, carry)));
    }
    return i;
}

template <bool kAdd>
__attribute__((target("avx2"))) int SaturatingRows(std::uint8_t* dst, const std::uint8_t* src,
                                                   int count) {
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + i * 4));
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i * 4));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i * 4),
                            kAdd ? _mm256_adds_epu8(d, s) : _mm256_subs_epu8(d, s));
    }
    return i;
}

// Each channel d + floor((s - d) * p / 256), as (d * (256 - p) + s * p) >> 8 on 16-bit lanes:
// the sum stays below 65,536 and is the same floor. B and R sit in the low bytes of the lanes,
// G and X in the high ones; X is kept from d.
__attribute__((target("avx2"))) int MixRows(std::uint8_t* dst, const std::uint8_t* src, int count,
                                            int p) {
    const __m256i low_bytes = _mm256_set1_epi16(0x00FF);
    const __m256i high_bytes = _mm256_set1_epi16(static_cast<short>(0xFF00));
    const __m256i source_factor = _mm256_set1_epi16(static_cast<short>(p));
    const __m256i destination_factor = _mm256_set1_epi16(static_cast<short>(256 - p));
    const __m256i x_byte = _mm256_set1_epi32(static_cast<int>(0xFF000000));
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + i * 4));
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i * 4));
        const __m256i blue_red =
            _mm256_add_epi16(_mm256_mullo_epi16(_mm256_and_si256(d, low_bytes), destination_factor),
                             _mm256_mullo_epi16(_mm256_and_si256(s, low_bytes), source_factor));
        const __m256i green_x =
            _mm256_add_epi16(_mm256_mullo_epi16(_mm256_srli_epi16(d, 8), destination_factor),
                             _mm256_mullo_epi16(_mm256_srli_epi16(s, 8), source_factor));
        const __m256i mixed =
            _mm256_or_si256(_mm256_srli_epi16(blue_red, 8), _mm256_and_si256(green_x, high_bytes));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i * 4),
                            _mm256_blendv_epi8(mixed, d, x_byte));
    }
    return i;
}

// t = floor(s * p / 255) per channel (X 0), as (s * p * 0x8081) >> 23 on 16-bit lanes, exact
// for every product below 65,536; then the packed add of t to d with the low-bit restore.
__attribute__((target("avx2"))) int AddProductRows(std::uint8_t* dst, const std::uint8_t* src,
                                                   int count, int p) {
    const __m256i low_bytes = _mm256_set1_epi16(0x00FF);
    const __m256i green_only = _mm256_set1_epi32(0x000000FF);
    const __m256i factor = _mm256_set1_epi16(static_cast<short>(p));
    const __m256i reciprocal = _mm256_set1_epi16(static_cast<short>(0x8081));
    const __m256i keep = _mm256_set1_epi32(0x00FEFEFF);
    const __m256i carries = _mm256_set1_epi32(0x01010100);
    const __m256i low_bits = _mm256_set1_epi32(0x00010100);
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + i * 4));
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i * 4));
        const __m256i blue_red = _mm256_srli_epi16(
            _mm256_mulhi_epu16(_mm256_mullo_epi16(_mm256_and_si256(s, low_bytes), factor),
                               reciprocal),
            7);
        const __m256i green = _mm256_srli_epi16(
            _mm256_mulhi_epu16(
                _mm256_mullo_epi16(_mm256_and_si256(_mm256_srli_epi32(s, 8), green_only), factor),
                reciprocal),
            7);
        const __m256i t = _mm256_or_si256(blue_red, _mm256_slli_epi32(green, 8));
        const __m256i kept_d = _mm256_and_si256(d, keep);
        const __m256i kept_t = _mm256_and_si256(t, keep);
        const __m256i carry = _mm256_and_si256(_mm256_add_epi32(kept_d, kept_t), carries);
        const __m256i sum = _mm256_adds_epu8(kept_d, _mm256_or_si256(kept_t, carry));
        _mm256_storeu_si256(
            reinterpret_cast<__m256i*>(dst + i * 4),
            _mm256_or_si256(sum, _mm256_and_si256(_mm256_or_si256(d, t), low_bits)));
    }
    return i;
}

// Each channel (s >> 1) + (d >> 1); X becomes 0.
__attribute__((target("avx2"))) int HalveRows(std::uint8_t* dst, const std::uint8_t* src,
                                              int count) {
    const __m256i halves = _mm256_set1_epi32(0x007F7F7F);
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + i * 4));
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i * 4));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i * 4),
                            _mm256_add_epi32(_mm256_and_si256(_mm256_srli_epi32(s, 1), halves),
                                             _mm256_and_si256(_mm256_srli_epi32(d, 1), halves)));
    }
    return i;
}

}  // namespace

bool UseAvx2Loops(bool wanted) {
    avx2_loops = wanted && ProcessorHasAvx2();
    return avx2_loops;
}

int PackedAddRow32Avx2(std::uint8_t* dst, const std::uint8_t* src, int count) {
    return avx2_loops ? PackedAddRows(dst, src, count) : 0;
}

int MixRow32Avx2(std::uint8_t* dst, const std::uint8_t* src, int count, int p) {
    return avx2_loops ? MixRows(dst, src, count, p) : 0;
}

int AddProductRow32Avx2(std::uint8_t* dst, const std::uint8_t* src, int count, int p) {
    return avx2_loops ? AddProductRows(dst, src, count, p) : 0;
}

int HalveRow32Avx2(std::uint8_t* dst, const std::uint8_t* src, int count) {
    return avx2_loops ? HalveRows(dst, src, count) : 0;
}

int SaturatingAddRow32Avx2(std::uint8_t* dst, const std::uint8_t* src, int count) {
    return avx2_loops ? SaturatingRows<true>(dst, src, count) : 0;
}

int SaturatingSubRow32Avx2(std::uint8_t* dst, const std::uint8_t* src, int count) {
    return avx2_loops ? SaturatingRows<false>(dst, src, count) : 0;
}

#else

bool UseAvx2Loops(bool) {
    return false;
}

int PackedAddRow32Avx2(std::uint8_t*, const std::uint8_t*, int) {
    return 0;
}

int MixRow32Avx2(std::uint8_t*, const std::uint8_t*, int, int) {
    return 0;
}

int AddProductRow32Avx2(std::uint8_t*, const std::uint8_t*, int, int) {
    return 0;
}

int HalveRow32Avx2(std::uint8_t*, const std::uint8_t*, int) {
    return 0;
}

int SaturatingAddRow32Avx2(std::uint8_t*, const std::uint8_t*, int) {
    return 0;
}

int SaturatingSubRow32Avx2(std::uint8_t*, const std::uint8_t*, int) {
    return 0;
}

#endif

}  // namespace layer::blit
