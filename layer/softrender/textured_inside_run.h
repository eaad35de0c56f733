#pragma once

#include <algorithm>
#include <cstdint>

#include "layer/softrender/fixed_point.h"

namespace layer {

// The pixels [first, end) of a span whose texel positions lie inside the texture. Along a
// span each coordinate moves by a fixed step, so where it stays within the signed 32-bit
// range it is inside over one run of pixels, and the pixels before and after draw nothing.
struct TexelRun {
    std::int64_t first = 0;
    std::int64_t end = 0;
};

namespace inside_run {

// Rounds a / b toward minus infinity; b > 0.
constexpr std::int64_t FloorDivide(std::int64_t a, std::int64_t b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// The pixels i in [0, count) with 0 <= start + i * step < limit, all taken as signed; false
// where the coordinate leaves the 32-bit range along the span, so its wrapped value is not
// linear there. Limits stay below 2^31, so a negative coordinate is outside either way.
inline bool Coordinate(std::uint32_t start, std::uint32_t step, std::uint32_t limit, int count,
                       TexelRun* run) {
    const std::int64_t s = static_cast<std::int32_t>(start);
    const std::int64_t d = static_cast<std::int32_t>(step);
    const auto w = static_cast<std::int64_t>(limit);
    if (!FitsInt32(s + d * (count - 1))) {
        return false;
    }
    if (d > 0) {
        *run = {-FloorDivide(s, d), -FloorDivide(s - w, d)};
    } else if (d < 0) {
        *run = {FloorDivide(s - w, -d) + 1, FloorDivide(s, -d) + 1};
    } else if (s >= 0 && s < w) {
        *run = {0, count};
    } else {
        *run = {0, 0};
    }
    return true;
}

}  // namespace inside_run

// The run of a span's pixels whose positions (u + i * du, v + i * dv) pass the texture's
// range test (each below its limit as unsigned); false where it cannot be found this way and
// the span must test each pixel. An empty run has end <= first.
inline bool FindTexelRun(int count, std::uint32_t u, std::uint32_t v, std::uint32_t du,
                         std::uint32_t dv, std::uint32_t width_limit, std::uint32_t height_limit,
                         TexelRun* run) {
    TexelRun across;
    TexelRun down;
    if (count <= 0 || width_limit > 0x80000000u || height_limit > 0x80000000u ||
        !inside_run::Coordinate(u, du, width_limit, count, &across) ||
        !inside_run::Coordinate(v, dv, height_limit, count, &down)) {
        return false;
    }
    run->first = std::max<std::int64_t>({0, across.first, down.first});
    run->end = std::min<std::int64_t>({count, across.end, down.end});
    return true;
}

}  // namespace layer
