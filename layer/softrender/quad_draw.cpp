#include "layer/softrender/quad_draw.h"

#include <algorithm>
#include <limits>

#include "layer/softrender/render_target.h"
#include "layer/softrender/triangle_raster.h"

namespace layer {
namespace {

std::int32_t ClampToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

void RenderMemImgQuad(MEMIMG* dest, const MEMIMG* source, const MemImgPoint* points, int trans_flag,
                      const MEMIMG* blend_image, const SoftDrawState& state) {
    RenderTarget target;
    if (points == nullptr || !IsValidMemImg(source) || !PrepareRenderTarget(dest, state, &target)) {
        return;
    }
    std::int64_t min_x = points[0].x;
    std::int64_t max_x = points[0].x;
    std::int64_t min_y = points[0].y;
    std::int64_t max_y = points[0].y;
    for (int i = 1; i < 4; ++i) {
        min_x = std::min<std::int64_t>(min_x, points[i].x);
        max_x = std::max<std::int64_t>(max_x, points[i].x);
        min_y = std::min<std::int64_t>(min_y, points[i].y);
        max_y = std::max<std::int64_t>(max_y, points[i].y);
    }
    Rect box{ClampToInt32(min_x - 2), ClampToInt32(min_y - 2), ClampToInt32(max_x + 4),
             ClampToInt32(max_y + 4)};
    ClipRect(&box, target.area);
    if (box.left == box.right || box.top == box.bottom) {
        return;
    }
    const std::int32_t w = source->Width;
    const std::int32_t h = source->Height;
    const MemImgVertex vertices[4] = {{points[0].x, points[0].y, 0, 0},
                                      {points[1].x, points[1].y, w, 0},
                                      {points[2].x, points[2].y, 0, h},
                                      {points[3].x, points[3].y, w, h}};
    RenderMemImgTriangle(dest, source, &vertices[0], trans_flag, blend_image, 0, state);
    RenderMemImgTriangle(dest, source, &vertices[1], trans_flag, blend_image, 0, state);
}

}  // namespace layer
