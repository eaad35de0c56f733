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

}  // namespace

bool UseAvx2Loops(bool wanted) {
    avx2_loops = wanted && ProcessorHasAvx2();
    return avx2_loops;
}

int PackedAddRow32Avx2(std::uint8_t* dst, const std::uint8_t* src, int count) {
    return avx2_loops ? PackedAddRows(dst, src, count) : 0;
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

int SaturatingAddRow32Avx2(std::uint8_t*, const std::uint8_t*, int) {
    return 0;
}

int SaturatingSubRow32Avx2(std::uint8_t*, const std::uint8_t*, int) {
    return 0;
}

#endif

}  // namespace layer::blit
