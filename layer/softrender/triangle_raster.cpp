#include "layer/softrender/triangle_raster.h"

#include <algorithm>

#include "layer/softrender/constant_colour_loops.h"
#include "layer/softrender/fixed_point.h"
#include "layer/softrender/render_target.h"
#include "layer/softrender/textured_draw.h"

namespace layer {
namespace {

// Walks the rows from the top vertex down, handing span(first, row, count) every part of a
// row's span that lies inside the area. Rows above the area are stepped, not drawn.
template <class SpanFn>
void WalkTriangle(const TriangleSetup& setup, const Rect& area, SpanFn&& span) {
    std::int64_t row = setup.top_row;
    int left_index = 0;
    int right_index = 0;
    EdgeSegment left = setup.left[0];
    EdgeSegment right = setup.right[0];
    for (;;) {
        std::int64_t first = FixedWhole(left.x);
        std::int64_t count = FixedWhole(right.x) - first + 1;
        if (first < area.left) {
            count -= area.left - first;
            first = area.left;
        }
        if (row >= area.top && row < area.bottom && first < area.right && count >= 1) {
            span(first, row, static_cast<int>(std::min<std::int64_t>(count, area.right - first)));
        }
        right.x += right.step;
        left.x += left.step;
        ++row;
        --left.rows;
        --right.rows;
        if (left.rows == 0) {
            if (++left_index == setup.left_count) {
                return;
            }
            // The rows run on without a restart: the second piece begins on the row after the
            // first piece's last, so no row is drawn twice.
            left = setup.left[left_index];
        }
        if (right.rows == 0) {
            if (++right_index == setup.right_count) {
                return;
            }
            right = setup.right[right_index];
        }
    }
}

void DrawTextured(MEMIMG* dest, const MEMIMG* source, const MemImgVertex* vertices, int trans_flag,
                  const MEMIMG* blend_image, const SoftDrawState& state) {
    TexturedDraw draw;
    TriangleSetup setup;
    if (!PrepareTexturedDraw(dest, source, trans_flag, blend_image, state, &draw) ||
        !SetUpTriangle(vertices, true, &setup)) {
        return;
    }
    WalkTriangle(setup, draw.target.area, [&](std::int64_t first, std::int64_t row, int count) {
        // Fresh for every row at its first drawn pixel; nothing is carried along the edges.
        const std::uint32_t dx = static_cast<std::uint32_t>(first - setup.x_ref);
        const std::uint32_t dy = static_cast<std::uint32_t>(row - setup.y_ref);
        const std::uint32_t u = setup.u_ref + dx * setup.ux + dy * setup.uy;
        const std::uint32_t v = setup.v_ref + dx * setup.vx + dy * setup.vy;
        draw.span(draw.context, PixelAddress(draw.target, first, row), count, u, v, setup.ux,
                  setup.vx);
    });
}

void DrawFlat(MEMIMG* dest, const MemImgVertex* vertices, std::uint32_t fill_colour,
              const SoftDrawState& state) {
    RenderTarget target;
    TriangleSetup setup;
    const int code = EffectiveBlendCode(state.blend_mode, state.blend_parameter);
    if (!PrepareRenderTarget(dest, state, &target) || code < 0 || state.blend_parameter < 0 ||
        state.blend_parameter > 255 || !SetUpTriangle(vertices, false, &setup)) {
        return;
    }
    const ConstantLoops loops = SelectConstantLoops(target.bits32, code);
    const ConstantColour colour =
        PrepareConstantColour(target.bits32, fill_colour, state, BrightStep::kTriangle);
    WalkTriangle(setup, target.area, [&](std::int64_t first, std::int64_t row, int count) {
        loops.span(colour, PixelAddress(target, first, row), count);
    });
}

}  // namespace

void RenderMemImgTriangle(MEMIMG* dest, const MEMIMG* source, const MemImgVertex* vertices,
                          int trans_flag, const MEMIMG* blend_image, std::uint32_t fill_colour,
                          const SoftDrawState& state) {
    if (vertices == nullptr) {
        return;
    }
    if (source != nullptr) {
        DrawTextured(dest, source, vertices, trans_flag, blend_image, state);
    } else {
        DrawFlat(dest, vertices, fill_colour, state);
    }
}

}  // namespace layer
