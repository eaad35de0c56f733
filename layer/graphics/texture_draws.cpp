// The texture bodies of the plain and stretched draws: every tile a quad placed by a linear
// map, clipped to the draw area unless the whole graph lies inside it.
#include <algorithm>

#include "layer/graphics/device_state.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/surface_data.h"
#include "layer/graphics/texture_quads.h"

namespace layer {
namespace {

// Moves corners outside [low, high] onto the edge, with their texture coordinates.
void ClipAxis(QuadCorner* corners, float QuadCorner::*position, float QuadCorner::*texture,
              float QuadCorner::*blend, float low, float high, float texture_step,
              float blend_step) {
    for (int corner = 0; corner < 4; ++corner) {
        QuadCorner& c = corners[corner];
        float moved = 0.0f;
        if (c.*position < low) {
            moved = low - c.*position;
            c.*position = low;
        } else if (c.*position > high) {
            moved = high - c.*position;
            c.*position = high;
        }
        c.*texture += moved * texture_step;
        c.*blend += moved * blend_step;
    }
}

void ClipToArea(const Surface3DData& tile, float scale_x, float scale_y, QuadCorner* corners) {
    const SurfaceData* data = GetSurfaceData(tile.SurfaceHandle);
    const FloatRect& area = draw_settings.draw_area_float;
    const auto offset_x = static_cast<float>(draw_settings.screen_offset.left);
    const auto offset_y = static_cast<float>(draw_settings.screen_offset.top);
    ClipAxis(corners, &QuadCorner::x, &QuadCorner::u, &QuadCorner::blend_u, area.left + offset_x,
             area.right + offset_x, 1.0f / (scale_x * static_cast<float>(data->Width)),
             direct3d.BlendScale[2] / scale_x);
    ClipAxis(corners, &QuadCorner::y, &QuadCorner::v, &QuadCorner::blend_v, area.top + offset_y,
             area.bottom + offset_y, 1.0f / (scale_y * static_cast<float>(data->Height)),
             direct3d.BlendScale[3] / scale_y);
}

int DrawFlags(int transparent, bool keep_alpha) {
    return (transparent != 0 ? kDraw3DTransparent : 0) | (keep_alpha ? kDraw3DKeepAlphaKind : 0) |
           (draw_settings.render.depth_test != 0 ? kDraw3DDepth : 0);
}

// Every tile of the graph at origin + scale x its graph position.
int DrawTiles(const GraphRecord& graph, float origin_x, float origin_y, float scale_x,
              float scale_y, bool clip, int flags) {
    BeginScene3D();
    const Surface3DData* first = graph.TileCount > 0 ? GetSurface3DData(graph.Tiles[0]) : nullptr;
    DeviceState* state = CurrentDevice();
    if (first == nullptr || state == nullptr) {
        return -1;
    }
    PrepareDraw3D(first, flags);
    for (int index = 0; index < graph.TileCount; ++index) {
        const Surface3DData* tile = GetSurface3DData(graph.Tiles[index]);
        if (tile == nullptr) {
            continue;
        }
        QuadCorner corners[4];
        PlaceTileCorners(*tile, origin_x, origin_y, scale_x, scale_y, corners);
        if (clip) {
            ClipToArea(*tile, scale_x, scale_y, corners);
        }
        PutTileQuad(state, *tile, corners);
    }
    if (direct3d.EndSceneAfterDraw != 0) {
        EndScene3D();
    }
    return 0;
}

bool InsideArea(int left, int top, int right, int bottom) {
    const Rect& area = draw_settings.draw_area;
    return left >= area.left && top >= area.top && right <= area.right && bottom <= area.bottom;
}

}  // namespace

int DrawGraphTextured(int x, int y, GraphRecord* graph, int transparent) {
    if (direct3d.Direct3D == nullptr) {
        return -1;
    }
    if (direct3d.TargetUnusable != 0) {
        return 0;
    }
    const float origin_x = static_cast<float>(x) - 0.5f + draw_settings.screen_offset.left;
    const float origin_y = static_cast<float>(y) - 0.5f + draw_settings.screen_offset.top;
    const bool inside = InsideArea(x, y, x + graph->Width, y + graph->Height);
    return DrawTiles(*graph, origin_x, origin_y, 1.0f, 1.0f, !inside, DrawFlags(transparent, true));
}

int DrawGraphStretchedTextured(int x1, int y1, int x2, int y2, GraphRecord* graph,
                               int transparent) {
    if (direct3d.Direct3D == nullptr || x1 == x2 || y1 == y2) {
        return -1;
    }
    if (direct3d.TargetUnusable != 0) {
        return 0;
    }
    const float scale_x = static_cast<float>(x2 - x1) / static_cast<float>(graph->Width);
    const float scale_y = static_cast<float>(y2 - y1) / static_cast<float>(graph->Height);
    const float origin_x = static_cast<float>(x1) - 0.5f + draw_settings.screen_offset.left;
    const float origin_y = static_cast<float>(y1) - 0.5f + draw_settings.screen_offset.top;
    const bool inside =
        InsideArea(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
    return DrawTiles(*graph, origin_x, origin_y, scale_x, scale_y, !inside,
                     DrawFlags(transparent, draw_settings.filter_mode == 0));
}

}  // namespace layer
