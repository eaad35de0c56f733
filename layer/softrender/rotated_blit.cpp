#include "layer/softrender/rotated_blit.h"

#include <algorithm>
#include <cmath>

#include "layer/core/number_routines.h"
#include "layer/softrender/fixed_point.h"
#include "layer/softrender/quad_draw.h"
#include "layer/softrender/rotated_frame.h"
#include "layer/softrender/textured_draw.h"

namespace layer {
namespace {

bool ToFixed(float value, std::int64_t* out) {
    if (!(std::fabs(value) < 2147483648.0f)) {
        return false;
    }
    *out = FloatToInt(value);
    return true;
}

// The source position of destination pixel (x, y), taken at its top-left corner. The
// products are formed in 64 bits before the float multiply.
struct InverseMapping {
    std::int64_t cx = 0;
    std::int64_t cy = 0;
    std::int64_t cos_inverse = 0;
    std::int64_t sin_inverse = 0;
    float inverse_scale = 0.0f;
    std::int64_t half_width = 0;
    std::int64_t half_height = 0;

    bool Map(std::int64_t x, std::int64_t y, std::int64_t* u, std::int64_t* v) const {
        const std::int64_t du = (x - cx) * cos_inverse - (y - cy) * sin_inverse;
        const std::int64_t dv = (y - cy) * cos_inverse + (x - cx) * sin_inverse;
        if (!ToFixed(static_cast<float>(du) * inverse_scale, u) ||
            !ToFixed(static_cast<float>(dv) * inverse_scale, v)) {
            return false;
        }
        *u += half_width * kFixedOne;
        *v += half_height * kFixedOne;
        return FitsInt32(*u) && FitsInt32(*v);
    }
};

void DrawTurned(MEMIMG* dest, const MEMIMG* source, const RotatedFrame& frame, int trans_flag,
                const MEMIMG* blend_image, const SoftDrawState& state) {
    MemImgPoint points[4];
    // The rotated top-right corner becomes the quad's top-left, and so on across.
    const int order[4] = {kTopRight, kTopLeft, kBottomRight, kBottomLeft};
    for (int i = 0; i < 4; ++i) {
        points[i].x = static_cast<std::int32_t>(FixedWhole(frame.x[order[i]]));
        points[i].y = static_cast<std::int32_t>(FixedWhole(frame.y[order[i]]));
    }
    RenderMemImgQuad(dest, source, points, trans_flag, blend_image, state);
}

void DrawScanned(const TexturedDraw& draw, const MEMIMG& source, const RotatedFrame& frame, int cx,
                 int cy, float scale) {
    const auto [min_x, max_x] = std::minmax({frame.x[0], frame.x[1], frame.x[2], frame.x[3]});
    const auto [min_y, max_y] = std::minmax({frame.y[0], frame.y[1], frame.y[2], frame.y[3]});
    if (min_y == max_y) {
        return;
    }
    Rect box{static_cast<std::int32_t>(FixedWhole(min_x) - 2),
             static_cast<std::int32_t>(FixedWhole(min_y) - 2),
             static_cast<std::int32_t>(FixedWhole(max_x) + 4),
             static_cast<std::int32_t>(FixedWhole(max_y) + 4)};
    ClipRect(&box, draw.target.area);
    if (box.left == box.right || box.top == box.bottom) {
        return;
    }

    const float inverse_scale = 1.0f / scale;
    std::int64_t ux = 0;
    std::int64_t vx = 0;
    if (!ToFixed(inverse_scale * static_cast<float>(frame.cos_angle), &ux) ||
        !ToFixed(static_cast<float>(frame.sin_inverse) * inverse_scale, &vx)) {
        return;
    }
    const InverseMapping mapping{cx,
                                 cy,
                                 frame.cos_inverse,
                                 frame.sin_inverse,
                                 inverse_scale,
                                 source.Width / 2,
                                 source.Height / 2};
    std::int64_t u_top = 0;
    std::int64_t v_top = 0;
    std::int64_t u_bottom = 0;
    std::int64_t v_bottom = 0;
    if (!mapping.Map(box.left, box.top, &u_top, &v_top) ||
        !mapping.Map(box.left, box.bottom, &u_bottom, &v_bottom)) {
        return;
    }
    const std::int64_t rows = box.bottom - box.top;
    const int cols = box.right - box.left;
    const auto uy = static_cast<std::uint32_t>((u_bottom - u_top) / rows);
    const auto vy = static_cast<std::uint32_t>((v_bottom - v_top) / rows);
    auto u = static_cast<std::uint32_t>(u_top);
    auto v = static_cast<std::uint32_t>(v_top);
    for (std::int64_t row = box.top; row < box.bottom; ++row, u += uy, v += vy) {
        draw.span(draw.context, PixelAddress(draw.target, box.left, row), cols, u, v,
                  static_cast<std::uint32_t>(ux), static_cast<std::uint32_t>(vx));
    }
}

}  // namespace

void RenderMemImgRotated(MEMIMG* dest, const MEMIMG* source, int cx, int cy, float angle,
                         float scale, int trans_flag, int turn_flag, const MEMIMG* blend_image,
                         const SoftDrawState& state) {
    TexturedDraw draw;
    RotatedFrame frame;
    if (!PrepareTexturedDraw(dest, source, trans_flag, blend_image, state, &draw) ||
        !ComputeRotatedFrame(source->Width, source->Height, cx, cy, angle, scale, &frame)) {
        return;
    }
    if (turn_flag != 0) {
        DrawTurned(dest, source, frame, trans_flag, blend_image, state);
    } else {
        DrawScanned(draw, *source, frame, cx, cy, scale);
    }
}

}  // namespace layer
