// The texture bodies of the four-corner draw: each tile a free quad placed bilinearly between
// the corners; with a blend image set, the corners taken as ints and each tile drawn as a strip
// through the two triangles the corners make.
#include <cmath>

#include "layer/graphics/device_state.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/texture_quads.h"

namespace layer {
namespace {

struct Point {
    float x;
    float y;
};

Point Lerp(const Point& a, const Point& b, float t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

// Signed area of the triangle; positive for a triangle wound the right way on the screen.
float Winding(const QuadCorner& a, const QuadCorner& b, const QuadCorner& c) {
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

// The corners (top-left, top-right, bottom-right, bottom-left) as points.
void ReadCorners(const float* corners, Point* p) {
    for (int i = 0; i < 4; ++i) {
        p[i] = {corners[2 * i], corners[2 * i + 1]};
    }
}

int DrawCornersMesh(const int* c, GraphRecord* graph, int transparent) {
    if (c[0] == c[6] && c[2] == c[4] && c[1] == c[3] && c[5] == c[7]) {
        return DrawGraphStretchedTextured(c[0], c[1], c[4], c[5], graph, transparent);
    }
    BeginScene3D();
    const Surface3DData* first = graph->TileCount > 0 ? GetSurface3DData(graph->Tiles[0]) : nullptr;
    DeviceState* state = CurrentDevice();
    if (first == nullptr || state == nullptr) {
        return -1;
    }
    PrepareDraw3D(first, (transparent != 0 ? kDraw3DTransparent : 0) | kDraw3DKeepAlphaKind);
    const Point p1{static_cast<float>(c[0]), static_cast<float>(c[1])};
    const Point p2{static_cast<float>(c[2]), static_cast<float>(c[3])};
    const Point p3{static_cast<float>(c[4]), static_cast<float>(c[5])};
    const Point p4{static_cast<float>(c[6]), static_cast<float>(c[7])};
    const auto width = static_cast<float>(graph->Width);
    const auto height = static_cast<float>(graph->Height);
    const float offset_x = static_cast<float>(draw_settings.screen_offset.left) - 0.5f;
    const float offset_y = static_cast<float>(draw_settings.screen_offset.top) - 0.5f;
    const int index = direct3d.CurrentDevice;
    for (int t = 0; t < graph->TileCount; ++t) {
        const Surface3DData* tile = GetSurface3DData(graph->Tiles[t]);
        if (tile == nullptr) {
            continue;
        }
        QuadCorner corners[4];
        PlaceTileCorners(*tile, 0.0f, 0.0f, 1.0f, 1.0f, corners);
        for (int k = 0; k < 4; ++k) {
            const float px = corners[k].x;
            const float py = corners[k].y;
            Point at;
            if (tile->SideFlags[k] != 0) {
                at = {p1.x + px * (p2.x - p1.x) / width + py * (p4.x - p1.x) / height,
                      p1.y + px * (p2.y - p1.y) / width + py * (p4.y - p1.y) / height};
            } else {
                at = {p3.x + (px - width) * (p3.x - p4.x) / width +
                          (py - height) * (p3.x - p2.x) / height,
                      p3.y + (px - width) * (p3.y - p4.y) / width +
                          (py - height) * (p3.y - p2.y) / height};
            }
            corners[k].x = at.x + offset_x;
            corners[k].y = at.y + offset_y;
        }
        // Both triangles wound the wrong way, or the first of two differing ones: exchanged.
        if (Winding(corners[0], corners[1], corners[2]) < 0.0f) {
            std::swap(corners[1], corners[2]);
        }
        if (GetTileTexture(*tile) != state->DrawTexture) {
            SetDeviceDrawTexture(index, GetTileTexture(*tile));
            ApplyDrawState(index);
        }
        DrawStripAtOnce(state, corners, draw_settings.draw_colour);
    }
    if (direct3d.EndSceneAfterDraw != 0) {
        EndScene3D();
    }
    return 0;
}

}  // namespace

int DrawGraphCornersTextured(const float* corners, GraphRecord* graph, int transparent) {
    if (direct3d.Direct3D == nullptr) {
        return -1;
    }
    if (direct3d.TargetUnusable != 0) {
        return 0;
    }
    if (draw_settings.blend_image != -1) {
        int whole[8];
        for (int i = 0; i < 8; ++i) {
            whole[i] = static_cast<int>(corners[i]);
        }
        return DrawCornersMesh(whole, graph, transparent);
    }
    Point p[4];
    ReadCorners(corners, p);
    for (Point& point : p) {
        point.x += static_cast<float>(draw_settings.screen_offset.left);
        point.y += static_cast<float>(draw_settings.screen_offset.top);
    }
    BeginScene3D();
    const Surface3DData* first = graph->TileCount > 0 ? GetSurface3DData(graph->Tiles[0]) : nullptr;
    if (first == nullptr || CurrentDevice() == nullptr) {
        return -1;
    }
    PrepareDraw3D(first, transparent != 0 ? kDraw3DTransparent : 0);
    const auto width = static_cast<float>(graph->Width);
    const auto height = static_cast<float>(graph->Height);
    for (int t = 0; t < graph->TileCount; ++t) {
        const Surface3DData* tile = GetSurface3DData(graph->Tiles[t]);
        if (tile == nullptr) {
            continue;
        }
        float quad[8];
        if (graph->TileCount == 1) {
            const Point order[4] = {p[0], p[1], p[3], p[2]};
            for (int k = 0; k < 4; ++k) {
                quad[2 * k] = order[k].x;
                quad[2 * k + 1] = order[k].y;
            }
        } else {
            for (int k = 0; k < 4; ++k) {
                const float s = tile->Vertices[k].x / width;
                const float t_down = tile->Vertices[k].y / height;
                const Point left = Lerp(p[0], p[3], t_down);
                const Point right = Lerp(p[1], p[2], t_down);
                const Point at = Lerp(left, right, s);
                quad[2 * k] = at.x;
                quad[2 * k + 1] = at.y;
            }
        }
        DrawTileQuad3D(graph->Tiles[t], quad);
    }
    if (direct3d.EndSceneAfterDraw != 0) {
        EndScene3D();
    }
    return 0;
}

int DrawGraphCornersMesh(const int* corners, GraphRecord* graph, int transparent) {
    if (direct3d.Direct3D == nullptr) {
        return -1;
    }
    if (direct3d.TargetUnusable != 0) {
        return 0;
    }
    if (direct3d.CornerDrawSwitch == 0 && draw_settings.blend_image == -1) {
        float floats[8];
        for (int i = 0; i < 8; ++i) {
            floats[i] = static_cast<float>(corners[i]);
        }
        return DrawGraphCornersTextured(floats, graph, transparent);
    }
    return DrawCornersMesh(corners, graph, transparent);
}

}  // namespace layer
