// The texture body of the rotated draw: the graph scaled and turned about its centre, placed so
// that pixels land on pixels where the angle and sides allow, and snapped onto the pixel grid
// near the axes for odd sides.
#include <cmath>

#include "layer/graphics/device_state.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/texture_quads.h"

namespace layer {
namespace {

constexpr double kWholeTolerance = 0.00001;
constexpr float kEdgeTolerance = 0.01f;
constexpr float kGridTolerance = 0.001f;

// Open intervals of angles (radians) within 4 degrees of an axis, and the bounds outside which
// every angle counts as near one.
constexpr double kBelowAll = -0.0698132;
constexpr double kAboveAll = 6.3529985;
constexpr double kNearAxes[][2] = {
    {-0.0698132, 0.0698132}, {1.5009832, 1.6406095}, {3.0717795, 3.2114058},
    {4.6425758, 4.7822022},  {6.2133721, 6.3529985},
};

bool NearAxis(double angle) {
    if (angle < kBelowAll || angle > kAboveAll) {
        return true;
    }
    for (const auto& range : kNearAxes) {
        if (angle > range[0] && angle < range[1]) {
            return true;
        }
    }
    return false;
}

bool OnGrid(float value) {
    const float fraction = value - std::floor(value);
    return fraction < kGridTolerance || fraction > 1.0f - kGridTolerance;
}

// An axis-parallel edge from the first corner: to the second or third within 0.01.
bool AxisParallel(const QuadCorner* corners, float QuadCorner::*axis) {
    return std::fabs(corners[0].*axis - corners[1].*axis) < kEdgeTolerance ||
           std::fabs(corners[0].*axis - corners[2].*axis) < kEdgeTolerance;
}

void Shift(QuadCorner* corners, float QuadCorner::*axis) {
    for (int corner = 0; corner < 4; ++corner) {
        corners[corner].*axis -= 0.5f;
    }
}

}  // namespace

int DrawGraphRotatedTextured(float x, float y, double scale, double angle, GraphRecord* graph,
                             int transparent, int turn) {
    if (direct3d.Direct3D == nullptr || scale == 0.0) {
        return -1;
    }
    if (direct3d.TargetUnusable != 0) {
        return 0;
    }
    x += static_cast<float>(draw_settings.screen_offset.left);
    y += static_cast<float>(draw_settings.screen_offset.top);
    const bool rotate = angle != 0.0;
    const float sine = rotate ? std::sin(static_cast<float>(angle)) : 0.0f;
    const float cosine = rotate ? std::cos(static_cast<float>(angle)) : 1.0f;
    const int width = graph->Width;
    const int height = graph->Height;
    const bool whole = std::fabs(x - std::trunc(x)) < kWholeTolerance &&
                       std::fabs(y - std::trunc(y)) < kWholeTolerance;
    float centre_x = width * 0.5f;
    float centre_y = height * 0.5f;
    const bool odd_width = width % 2 != 0;
    const bool odd_height = height % 2 != 0;
    if (whole) {
        if (scale != 1.0 || (!odd_width && !odd_height)) {
            x -= 0.5f;
            y -= 0.5f;
        } else if (odd_width != odd_height) {
            (odd_width ? centre_y : centre_x) -= 0.5f;
        }
    }
    const bool snap = rotate && (odd_width || odd_height) && NearAxis(angle);
    const bool mirrored_corner =
        graph->TileCount == 1 && whole && (scale != 1.0 || (odd_width && odd_height));
    const auto scale_x = static_cast<float>(turn == 1 ? -scale : scale);
    const auto scale_y = static_cast<float>(scale);
    BeginScene3D();
    const Surface3DData* first = graph->TileCount > 0 ? GetSurface3DData(graph->Tiles[0]) : nullptr;
    DeviceState* state = CurrentDevice();
    if (first == nullptr || state == nullptr) {
        return -1;
    }
    PrepareDraw3D(first, transparent != 0 ? kDraw3DTransparent : 0);
    for (int index = 0; index < graph->TileCount; ++index) {
        const Surface3DData* tile = GetSurface3DData(graph->Tiles[index]);
        if (tile == nullptr) {
            continue;
        }
        QuadCorner corners[4];
        PlaceTileCorners(*tile, 0.0f, 0.0f, 1.0f, 1.0f, corners);
        for (QuadCorner& corner : corners) {
            const float a = (corner.x - centre_x) * scale_x;
            const float b = (corner.y - centre_y) * scale_y;
            corner.x = x + (rotate ? a * cosine - b * sine : a);
            corner.y = y + (rotate ? a * sine + b * cosine : b);
        }
        if (mirrored_corner) {
            corners[3].x = 2.0f * x - corners[0].x;
            corners[3].y = 2.0f * y - corners[0].y;
        }
        if (snap) {
            if ((mirrored_corner || odd_width) && AxisParallel(corners, &QuadCorner::x) &&
                (mirrored_corner || OnGrid(corners[0].x))) {
                Shift(corners, &QuadCorner::x);
            }
            if ((mirrored_corner || odd_height) && AxisParallel(corners, &QuadCorner::y) &&
                (mirrored_corner || OnGrid(corners[0].y))) {
                Shift(corners, &QuadCorner::y);
            }
        }
        PutTileQuad(state, *tile, corners);
    }
    if (direct3d.EndSceneAfterDraw != 0) {
        EndScene3D();
    }
    return 0;
}

}  // namespace layer
