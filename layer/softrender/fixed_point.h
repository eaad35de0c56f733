#pragma once

#include <cstdint>
#include <limits>

namespace layer {

// Positions, edge steps and texture coordinates of the polygon renderers are 14.18 fixed
// point: units of 1/262144 pixel.
constexpr std::int32_t kFixedOne = 262144;
constexpr int kFixedShift = 18;

// Coordinates whose 14.18 value fits 32 bits.
constexpr std::int32_t kFixedCoordMin = -8192;
constexpr std::int32_t kFixedCoordMax = 8191;

// The whole part is a signed division truncating toward zero: -4.5 pixels gives -4, where an
// arithmetic shift would give -5.
constexpr std::int64_t FixedWhole(std::int64_t value) {
    return value / kFixedOne;
}

constexpr bool InFixedCoordRange(std::int64_t value) {
    return value >= kFixedCoordMin && value <= kFixedCoordMax;
}

constexpr bool FitsInt32(std::int64_t value) {
    return value >= std::numeric_limits<std::int32_t>::min() &&
           value <= std::numeric_limits<std::int32_t>::max();
}

}  // namespace layer
