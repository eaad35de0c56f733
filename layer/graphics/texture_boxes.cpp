// Untextured boxes on the 3D side, and the clearing of a texture graph target.
#include <algorithm>

#include "layer/core/core_settings.h"
#include "layer/graphics/device_state.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/draw_routes_2d.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/screen_colours.h"
#include "layer/graphics/surface_data.h"
#include "layer/graphics/texture_tiles.h"

namespace layer {
namespace {

// The box colour: the screen pixel's channels times the draw colour's, with its alpha.
std::uint32_t BoxColour(std::uint32_t pixel) {
    int red = 0;
    int green = 0;
    int blue = 0;
    PixelToRgb(pixel, &red, &green, &blue);
    const std::uint32_t draw = draw_settings.draw_colour;
    auto times = [draw](int channel, int shift) {
        return static_cast<std::uint32_t>(static_cast<int>(draw >> shift & 0xFF) * channel / 255)
               << shift;
    };
    return (draw & 0xFF000000) | times(red, 16) | times(green, 8) | times(blue, 0);
}

// The untextured state on the current device, in a scene.
DeviceState* PrepareUntextured() {
    DeviceState* state = CurrentDevice();
    if (state == nullptr) {
        return nullptr;
    }
    BeginScene3D();
    PrepareDraw3D(nullptr, 0);
    return state;
}

// One-pixel strips and filled boxes as pairs of untextured triangles.
void PutRects(DeviceState* state, const Rect* rects, int count, std::uint32_t colour) {
    const auto offset_x = static_cast<float>(draw_settings.screen_offset.left);
    const auto offset_y = static_cast<float>(draw_settings.screen_offset.top);
    auto* out = static_cast<platform::PlainVertex*>(
        ReserveBatch(state, platform::Primitive::kTriangleList, 6 * count));
    const float z = draw_settings.vertex_depth;
    for (int i = 0; i < count; ++i) {
        const float left = static_cast<float>(rects[i].left) + offset_x;
        const float top = static_cast<float>(rects[i].top) + offset_y;
        const float right = static_cast<float>(rects[i].right) + offset_x;
        const float bottom = static_cast<float>(rects[i].bottom) + offset_y;
        const platform::PlainVertex corners[4] = {{left, top, z, 1.0f, colour},
                                                  {right, top, z, 1.0f, colour},
                                                  {left, bottom, z, 1.0f, colour},
                                                  {right, bottom, z, 1.0f, colour}};
        constexpr int kOrder[6] = {0, 1, 2, 3, 2, 1};
        for (int k = 0; k < 6; ++k) {
            out[6 * i + k] = corners[kOrder[k]];
        }
    }
    if (direct3d.EndSceneAfterDraw != 0) {
        EndScene3D();
    }
}

}  // namespace

int FillBoxTextured(int x1, int y1, int x2, int y2, std::uint32_t colour) {
    if (direct3d.Direct3D == nullptr) {
        return -1;
    }
    if (direct3d.TargetUnusable != 0) {
        return DrawBox2D(x1, y1, x2, y2, colour);
    }
    Rect box{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
    ClipRect(&box, draw_settings.draw_area);
    if (box.right <= box.left || box.bottom <= box.top) {
        return 0;
    }
    DeviceState* state = PrepareUntextured();
    if (state == nullptr) {
        return -1;
    }
    PutRects(state, &box, 1, BoxColour(colour));
    return 0;
}

int OutlineBoxTextured(int x1, int y1, int x2, int y2, std::uint32_t colour) {
    if (direct3d.Direct3D == nullptr) {
        return -1;
    }
    if (direct3d.TargetUnusable != 0) {
        return DrawBoxOutline2D(x1, y1, x2, y2, colour);
    }
    if (x1 > x2 || y1 > y2) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    DeviceState* state = PrepareUntextured();
    if (state == nullptr) {
        return -1;
    }
    const Rect strips[4] = {{x1, y1, x2, y1 + 1},
                            {x1, y2 - 1, x2, y2},
                            {x1, y1 + 1, x1 + 1, y2 - 1},
                            {x2 - 1, y1 + 1, x2, y2 - 1}};
    PutRects(state, strips, 4, BoxColour(colour));
    return 0;
}

int ClearTargetTexture() {
    const GraphRecord* graph = GetGraphRecord(draw_settings.draw_target);
    if (direct3d.Direct3D == nullptr || graph == nullptr || graph->Key.TextureFlag == 0) {
        return 0;
    }
    EndScene3D();
    FlushVertexBatch();
    for (int index = 0; index < graph->TileCount; ++index) {
        if (const Surface3DData* tile = GetSurface3DData(graph->Tiles[index]); tile != nullptr) {
            FillSurfaceData(tile->SurfaceHandle, core_settings.background_red,
                            core_settings.background_green, core_settings.background_blue, 0);
        }
    }
    return 0;
}

}  // namespace layer
