#include "layer/softrender/triangle_setup.h"

#include <utility>

#include "layer/core/number_routines.h"
#include "layer/softrender/fixed_point.h"

namespace layer {
namespace {

bool VertexInRange(const MemImgVertex& vertex, bool textured) {
    return InFixedCoordRange(vertex.x) && InFixedCoordRange(vertex.y) &&
           (!textured || (InFixedCoordRange(vertex.u) && InFixedCoordRange(vertex.v)));
}

// (numerator * 262144) / area in double, truncated toward zero.
std::uint32_t Gradient(std::int32_t numerator, std::int32_t area) {
    return static_cast<std::uint32_t>(DoubleToInt(numerator * 262144.0 / area));
}

EdgeSegment Segment(std::int64_t x_from, std::int64_t x_to, std::int64_t rows) {
    EdgeSegment segment;
    segment.x = x_from;
    segment.rows = rows;
    segment.step = rows != 0 ? (x_to - x_from) / rows : 0;
    return segment;
}

}  // namespace

bool SetUpTriangle(const MemImgVertex* vertices, bool textured, TriangleSetup* setup) {
    std::int64_t fx[3];
    std::int64_t fy[3];
    for (int i = 0; i < 3; ++i) {
        if (!VertexInRange(vertices[i], textured)) {
            return false;
        }
        // Positions at the pixel's centre, texture coordinates at its corner.
        fx[i] = std::int64_t{vertices[i].x} * kFixedOne + kFixedOne / 2;
        fy[i] = std::int64_t{vertices[i].y} * kFixedOne + kFixedOne / 2;
    }

    // Both orders in the same loops; only a strictly greater key swaps.
    int by_x[3] = {0, 1, 2};
    int by_y[3] = {0, 1, 2};
    for (int i = 0; i < 2; ++i) {
        for (int j = i + 1; j < 3; ++j) {
            if (fx[by_x[i]] > fx[by_x[j]]) {
                std::swap(by_x[i], by_x[j]);
            }
            if (fy[by_y[i]] > fy[by_y[j]]) {
                std::swap(by_y[i], by_y[j]);
            }
        }
    }

    const MemImgVertex& a = vertices[by_x[0]];
    const MemImgVertex& b = vertices[by_x[1]];
    const MemImgVertex& c = vertices[by_x[2]];
    const std::int32_t dx_ab = b.x - a.x;
    const std::int32_t dx_ac = c.x - a.x;
    const std::int32_t dy_ab = b.y - a.y;
    const std::int32_t dy_ac = c.y - a.y;
    const std::int32_t du_ab = b.u - a.u;
    const std::int32_t du_ac = c.u - a.u;
    const std::int32_t dv_ab = b.v - a.v;
    const std::int32_t dv_ac = c.v - a.v;
    const std::int32_t area = dy_ab * dx_ac - dy_ac * dx_ab;
    if (area == 0) {
        return false;
    }
    if (textured) {
        setup->ux = Gradient(dy_ab * du_ac - dy_ac * du_ab, area);
        setup->uy = Gradient(du_ab * dx_ac - dx_ab * du_ac, area);
        setup->vx = Gradient(dy_ab * dv_ac - dy_ac * dv_ab, area);
        setup->vy = Gradient(dv_ab * dx_ac - dx_ab * dv_ac, area);
        setup->u_ref = static_cast<std::uint32_t>(a.u) * kFixedOne;
        setup->v_ref = static_cast<std::uint32_t>(a.v) * kFixedOne;
    }
    setup->x_ref = FixedWhole(fx[by_x[0]]);
    setup->y_ref = FixedWhole(fy[by_x[0]]);

    const int t = by_y[0];
    const int m = by_y[1];
    const int bottom = by_y[2];
    const std::int64_t rows_tb = std::int64_t{vertices[bottom].y} - vertices[t].y;
    const std::int64_t rows_tm = std::int64_t{vertices[m].y} - vertices[t].y;
    const std::int64_t rows_mb = std::int64_t{vertices[bottom].y} - vertices[m].y;
    setup->top_row = FixedWhole(fy[t]);
    if (fy[t] == fy[m]) {
        // Flat top: each upper vertex runs straight to the bottom one.
        const int left = fx[t] <= fx[m] ? t : m;
        const int right = left == t ? m : t;
        setup->left[0] = Segment(fx[left], fx[bottom], rows_tb);
        setup->right[0] = Segment(fx[right], fx[bottom], rows_tb);
        setup->left_count = setup->right_count = 1;
    } else if (fy[m] == fy[bottom]) {
        // Flat bottom: both sides start at the top vertex.
        const int left = fx[m] <= fx[bottom] ? m : bottom;
        const int right = left == m ? bottom : m;
        setup->left[0] = Segment(fx[t], fx[left], rows_tb);
        setup->right[0] = Segment(fx[t], fx[right], rows_tb);
        setup->left_count = setup->right_count = 1;
    } else {
        const double slope_m =
            static_cast<double>(fx[m] - fx[t]) / static_cast<double>(fy[m] - fy[t]);
        const double slope_b =
            static_cast<double>(fx[bottom] - fx[t]) / static_cast<double>(fy[bottom] - fy[t]);
        if (slope_b > slope_m) {
            // The middle vertex lies on the left.
            setup->left[0] = Segment(fx[t], fx[m], rows_tm);
            setup->left[1] = Segment(fx[m], fx[bottom], rows_mb);
            setup->right[0] = Segment(fx[t], fx[bottom], rows_tb);
            setup->left_count = 2;
            setup->right_count = 1;
        } else {
            // On the right, the second piece starts one unit right of the middle vertex.
            setup->left[0] = Segment(fx[t], fx[bottom], rows_tb);
            setup->right[0] = Segment(fx[t], fx[m], rows_tm);
            setup->right[1] = Segment(fx[m] + 1, fx[bottom], rows_mb);
            setup->left_count = 1;
            setup->right_count = 2;
        }
    }
    for (int i = 0; i < setup->left_count; ++i) {
        if (setup->left[i].rows <= 0) {
            return false;
        }
    }
    for (int i = 0; i < setup->right_count; ++i) {
        if (setup->right[i].rows <= 0) {
            return false;
        }
    }
    return true;
}

}  // namespace layer
