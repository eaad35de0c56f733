#include "platform/colour_row_copy.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define QVARN_HAS_AVX2_COPY 1
#endif

namespace platform {
namespace {

#if defined(QVARN_HAS_AVX2_COPY)

const bool avx2 = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
}();

// Eight pixels a step; returns how many leading pixels it copied.
template <bool kTwice>
__attribute__((target("avx2"))) int CopyEights(const std::uint8_t* source, int count,
                                               std::uint8_t* row, std::uint8_t* also) {
    const __m256i colour = _mm256_set1_epi32(0x00FFFFFF);
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i pixels = _mm256_and_si256(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + i * 4)), colour);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(row + i * 4), pixels);
        if constexpr (kTwice) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(also + i * 4), pixels);
        }
    }
    return i;
}

int CopyLeadingPixels(const std::uint8_t* source, int count, std::uint8_t* row,
                      std::uint8_t* also) {
    if (!avx2) {
        return 0;
    }
    return also != nullptr ? CopyEights<true>(source, count, row, also)
                           : CopyEights<false>(source, count, row, also);
}

#else

int CopyLeadingPixels(const std::uint8_t*, int, std::uint8_t*, std::uint8_t*) {
    return 0;
}

#endif

}  // namespace

void CopyColourRow(const std::uint8_t* source, int count, std::uint8_t* row, std::uint8_t* also) {
    for (int i = CopyLeadingPixels(source, count, row, also); i < count; ++i) {
        std::uint32_t pixel;
        std::memcpy(&pixel, source + i * 4, 4);
        pixel &= 0x00FFFFFF;
        std::memcpy(row + i * 4, &pixel, 4);
        if (also != nullptr) {
            std::memcpy(also + i * 4, &pixel, 4);
        }
    }
}

}  // namespace platform
