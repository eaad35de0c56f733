#pragma once

#include <cstdint>

namespace layer {

// One corner of a triangle: destination pixel (x, y) and source pixel (u, v).
struct MemImgVertex {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t u = 0;
    std::int32_t v = 0;
};

// One straight piece of a triangle's side, in 14.18: its X at the first row, the change of X
// per row, and how many rows it lasts. A side's second piece takes over on the row after its
// first piece's last.
struct EdgeSegment {
    std::int64_t x = 0;
    std::int64_t step = 0;
    std::int64_t rows = 0;
};

// Everything the row loop needs, computed once per triangle. Edge positions are 64-bit; the
// texture mapping wraps in 32 bits: u = u_ref + (px - x_ref) * ux + (row - y_ref) * uy.
struct TriangleSetup {
    EdgeSegment left[2];
    EdgeSegment right[2];
    int left_count = 0;
    int right_count = 0;
    std::int64_t top_row = 0;
    std::uint32_t u_ref = 0;
    std::uint32_t v_ref = 0;
    std::int64_t x_ref = 0;
    std::int64_t y_ref = 0;
    std::uint32_t ux = 0;
    std::uint32_t uy = 0;
    std::uint32_t vx = 0;
    std::uint32_t vy = 0;
};

// False when the triangle draws nothing: a coordinate outside -8192..8191 (u and v only
// count when textured), or zero area.
bool SetUpTriangle(const MemImgVertex* vertices, bool textured, TriangleSetup* setup);

}  // namespace layer
