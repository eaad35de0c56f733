#pragma once

#include <cstdint>

namespace layer {

// d moved toward t by f / 2^k, rounded down: ((d << k) + (t - d) * f) >> k. With f below
// 2^k the sum is d * (2^k - f) + t * f, never negative, so the shift is a plain floor and
// the result lies between d and t. Past k = 16 the product needs 64 bits.
template <int kShift>
inline int FadeChannel(int d, int t, std::uint32_t f) {
    if constexpr (kShift > 16) {
        const std::int64_t sum = (static_cast<std::int64_t>(d) << kShift) +
                                 static_cast<std::int64_t>(t - d) * static_cast<std::int64_t>(f);
        return static_cast<int>(sum >> kShift);
    } else {
        return ((d << kShift) + (t - d) * static_cast<int>(f)) >> kShift;
    }
}

// d moved toward t by p / 255, truncated toward d: the difference-table entry of row p.
inline int FadeChannelByTable(const std::int32_t* difference_p, int d, int t) {
    return d + difference_p[t - d];
}

}  // namespace layer
