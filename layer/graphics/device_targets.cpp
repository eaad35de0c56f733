// A device's render target, viewport, scenes and transforms, and the 3D side of the draw-target
// switch.
#include "layer/core/layer_log.h"
#include "layer/graphics/device_state.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/direct3d_texts.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/main_screens.h"
#include "layer/graphics/surface_2d.h"
#include "layer/graphics/surface_data.h"
#include "layer/graphics/texture_tiles.h"

namespace layer {
namespace {

bool Same(const platform::Viewport3D& a, const platform::Viewport3D& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

int SetTransform(platform::TransformKind kind, const Matrix44& matrix) {
    DeviceState* state = CurrentDevice();
    if (state == nullptr) {
        return -1;
    }
    FlushDeviceBatch(direct3d.CurrentDevice);
    if (state->Device != nullptr) {
        state->Device->SetTransform(kind, matrix.m);
    }
    return 0;
}

// The render target a graph offers: its one tile's texture, or its one 2D surface; null with
// TargetUnusable set for a 2D graph in system memory.
int GraphRenderTarget(int graph, platform::DisplaySurface** out) {
    const GraphRecord* record = GetGraphRecord(graph);
    if (record == nullptr) {
        return -1;
    }
    *out = nullptr;
    if (record->TileCount != 1) {
        return 0;
    }
    if (record->Key.TextureFlag != 0) {
        const Surface3DData* tile = GetSurface3DData(record->Tiles[0]);
        if (record->Key.DrawValid == 0 || tile == nullptr) {
            return -1;
        }
        *out = GetTileTexture(*tile);
        return 0;
    }
    const Surface2D* surface = GetSurface2D(record->Tiles[0]);
    const SurfaceData* data =
        surface != nullptr ? GetSurfaceData(surface->SurfaceDataHandle) : nullptr;
    if (data == nullptr || data->Surface == nullptr ||
        (platform::GetSurfaceCaps(data->Surface) & platform::kCapsVideoMemory) == 0) {
        direct3d.TargetUnusable = 1;
        return -1;
    }
    *out = data->Surface;
    return 0;
}

}  // namespace

int SetDeviceRenderTarget(platform::DisplaySurface* surface, int index) {
    DeviceState* state = FindDevice(index);
    if (state == nullptr) {
        return -1;
    }
    if (surface == state->CurrentTarget && state->Force == 0) {
        return 0;
    }
    if (surface == nullptr && state->CurrentTarget == nullptr) {
        return 0;
    }
    FlushDeviceBatch(index);
    platform::DisplaySurface* target = surface != nullptr ? surface : state->DefaultTarget;
    if (state->Device != nullptr) {
        state->Device->SetRenderTarget(target);
    }
    state->CurrentTarget = target;
    return 0;
}

int SetDeviceViewport(const platform::Viewport3D& viewport, int index) {
    DeviceState* state = FindDevice(index);
    if (state == nullptr || state->CurrentTarget == nullptr) {
        return -1;
    }
    if (Same(viewport, state->Viewport) && state->Force == 0) {
        return 0;
    }
    FlushDeviceBatch(index);
    EndDeviceScene(index);
    const int result =
        state->Device != nullptr ? state->Device->SetViewport(viewport) : platform::kDisplayFailed;
    if (result != platform::kDisplayOk) {
        return WriteLogFormat(kViewportFailedFormat, static_cast<unsigned>(result));
    }
    state->Viewport = viewport;
    return 0;
}

int SetViewportFromRect(const Rect& rect) {
    if (direct3d.Direct3D == nullptr) {
        return -1;
    }
    if (direct3d.TargetUnusable != 0) {
        return 0;
    }
    if (rect.right == rect.left || rect.bottom == rect.top) {
        return -1;
    }
    const platform::Viewport3D viewport{rect.left + draw_settings.screen_offset.left,
                                        rect.top + draw_settings.screen_offset.top,
                                        rect.right - rect.left,
                                        rect.bottom - rect.top,
                                        0.0f,
                                        1.0f};
    return SetDeviceViewport(viewport, direct3d.CurrentDevice);
}

int BeginDeviceScene(int index) {
    DeviceState* state = FindDevice(index);
    if (state == nullptr) {
        return -1;
    }
    if (state->SceneOpen == 0) {
        if (state->Device != nullptr) {
            state->Device->BeginScene();
        }
        state->SceneOpen = 1;
        state->LastTile = nullptr;
        state->LastFlags = 0;
    }
    return 0;
}

int BeginScene3D() {
    return BeginDeviceScene(direct3d.CurrentDevice);
}

int EndDeviceScene(int index) {
    DeviceState* state = FindDevice(index);
    if (state == nullptr) {
        return -1;
    }
    if (state->SceneOpen != 0) {
        FlushDeviceBatch(index);
        if (state->Device != nullptr) {
            state->Device->EndScene();
        }
        state->SceneOpen = 0;
    }
    return 0;
}

int EndScene3D() {
    return EndDeviceScene(direct3d.CurrentDevice);
}

int SetWorldTransform3D(const Matrix44& matrix) {
    return SetTransform(platform::TransformKind::kWorld, matrix);
}

int SetViewTransform3D(const Matrix44& matrix) {
    return SetTransform(platform::TransformKind::kView, matrix);
}

int SetProjectionTransform3D(const Matrix44& matrix) {
    return SetTransform(platform::TransformKind::kProjection, matrix);
}

int NotifyDrawStateChange3D() {
    return 0;
}

int SelectDrawTarget3D(int target) {
    if (direct3d.Direct3D == nullptr) {
        return 0;
    }
    EndScene3D();
    FlushVertexBatch();
    SetDeviceDrawTexture(direct3d.CurrentDevice, nullptr);
    platform::DisplaySurface* surface = nullptr;
    if (target == kDrawTargetFront || target == kDrawTargetBack) {
        surface = target == kDrawTargetFront ? GetScreenTargetSurface() : GetBackSurface();
        direct3d.EndSceneAfterDraw = target == kDrawTargetFront ? 1 : 0;
    } else {
        if (GraphRenderTarget(target, &surface) < 0) {
            return -1;
        }
        direct3d.EndSceneAfterDraw = 0;
        if (surface == nullptr) {
            direct3d.TargetUnusable = 0;
            return 0;
        }
    }
    direct3d.TargetUnusable = 0;
    return SetDeviceRenderTarget(surface, direct3d.CurrentDevice);
}

int SetDrawTargetTexture2D(GraphRecord* graph) {
    const Surface3DData* tile = graph->TileCount > 0 ? GetSurface3DData(graph->Tiles[0]) : nullptr;
    if (tile == nullptr) {
        return -1;
    }
    direct_draw.draw_surface = GetTileTexture(*tile);
    direct_draw.draw_offset_x = tile->TexX;
    direct_draw.draw_offset_y = tile->TexY;
    return 0;
}

}  // namespace layer
