#include "layer/softrender/line_draw.h"

#include <algorithm>
#include <cstdlib>

#include "layer/core/number_routines.h"
#include "layer/softrender/constant_colour_loops.h"
#include "layer/softrender/render_target.h"

namespace layer {
namespace {

struct Point {
    std::int64_t x;
    std::int64_t y;
};

// Clips both ends to the area (left, top, right, bottom; right and bottom exclusive) along
// the line through the ends the caller passed. The start ends inside the area; the end, which
// is not drawn, may lie one column or row outside it.
void ClipLine(const Rect& area, Point* start, Point* end) {
    const std::int64_t l = area.left;
    const std::int64_t t = area.top;
    const std::int64_t r = area.right;
    const std::int64_t b = area.bottom;
    const double dx = static_cast<double>(end->x - start->x);
    const double dy = static_cast<double>(end->y - start->y);
    const double dydx = start->x == end->x ? 0.0 : dy / dx;
    const double dxdy = start->y == end->y ? 0.0 : dx / dy;
    const double by = static_cast<double>(start->y) - static_cast<double>(start->x) * dydx;
    const double bx = static_cast<double>(start->x) - static_cast<double>(start->y) * dxdy;
    const auto y_at = [&](std::int64_t x) -> std::int64_t {
        return DoubleToInt(by + dydx * static_cast<double>(x));
    };
    const auto x_at = [&](std::int64_t y) -> std::int64_t {
        return DoubleToInt(bx + dxdy * static_cast<double>(y));
    };
    if (start->x < l) {
        *start = {l, y_at(l)};
    } else if (start->x >= r) {
        *start = {r - 1, y_at(r - 1)};
    }
    if (end->x < l) {
        *end = {l - 1, y_at(l - 1)};
    } else if (end->x >= r) {
        *end = {r, y_at(r)};
    }
    if (start->y < t) {
        *start = {x_at(t), t};
    } else if (start->y >= b) {
        *start = {x_at(b - 1), b - 1};
    }
    if (end->y < t) {
        *end = {x_at(t - 1), t - 1};
    } else if (end->y >= b) {
        *end = {x_at(b), b};
    }
    start->x = std::clamp(start->x, l, r - 1);
    end->x = std::clamp(end->x, l - 1, r);
    start->y = std::clamp(start->y, t, b - 1);
    end->y = std::clamp(end->y, t - 1, b);
}

}  // namespace

void RenderMemImgLine(MEMIMG* dest, int x1, int y1, int x2, int y2, std::uint32_t colour,
                      const SoftDrawState& state) {
    RenderTarget target;
    const int code = EffectiveBlendCode(state.blend_mode, state.blend_parameter);
    if (code < 0 || state.blend_parameter < 0 || state.blend_parameter > 255 ||
        !PrepareRenderTarget(dest, state, &target)) {
        return;
    }
    const Rect& area = target.area;
    if (std::min(y1, y2) >= area.bottom || std::min(x1, x2) >= area.right ||
        std::max(y1, y2) < area.top || std::max(x1, x2) < area.left) {
        return;
    }
    Point start{x1, y1};
    Point end{x2, y2};
    ClipLine(area, &start, &end);
    const std::int64_t dx = end.x - start.x;
    const std::int64_t dy = end.y - start.y;
    if (dx == 0 && dy == 0) {
        return;
    }
    const std::int64_t x_step = (dx < 0 ? -1 : 1) * target.bytes_per_pixel;
    const std::int64_t y_step = (dy < 0 ? -1 : 1) * target.pitch;
    const bool x_major = std::abs(dx) >= std::abs(dy);
    const int major = static_cast<int>(x_major ? std::abs(dx) : std::abs(dy));
    const int minor = static_cast<int>(x_major ? std::abs(dy) : std::abs(dx));
    const ConstantLoops loops = SelectConstantLoops(target.bits32, code);
    const ConstantColour prepared =
        PrepareConstantColour(target.bits32, colour, state, BrightStep::kBoxAndLine);
    loops.line(prepared, PixelAddress(target, start.x, start.y), major, minor,
               x_major ? x_step : y_step, x_major ? y_step : x_step);
}

void RenderMemImgLines(MEMIMG* dest, const MemImgLineRecord* records, int count,
                       const SoftDrawState& state) {
    if (records == nullptr) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        const MemImgLineRecord& record = records[i];
        RenderMemImgLine(dest, record.x1, record.y1, record.x2, record.y2,
                         static_cast<std::uint32_t>(record.colour), state);
    }
}

}  // namespace layer
