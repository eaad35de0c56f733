// The 2D side of the draw target, and the blend image as the software renderer reads it.
#include "layer/core/window_routines.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/surface_2d.h"
#include "layer/graphics/surface_data.h"
#include "layer/softrender/blend_tables.h"

namespace layer {
namespace {

// The primary gets the window's clipper while the back screen or a graph is drawn in window
// mode, and loses it while the front screen is.
void ApplyPrimaryClipper(bool attach) {
    if (direct_draw.object == nullptr || direct_draw.primary == nullptr) {
        return;
    }
    if (IsWindowedMode() != 0 || direct_draw.flags.gdi_mode_requested != 0 ||
        IsWindowMenuEnabled() != 0) {
        platform::SetSurfaceClipper(direct_draw.primary, attach ? direct_draw.clipper : nullptr);
    }
}

int TargetGraph(int graph) {
    GraphRecord* record = GetGraphRecord(graph);
    if (record == nullptr) {
        return -1;
    }
    if (record->Key.TextureFlag != 0) {
        NotifyDrawStateChange3D();
        return SetDrawTargetTexture2D(record);
    }
    const Surface2D* tile = record->TileCount > 0 ? GetSurface2D(record->Tiles[0]) : nullptr;
    SurfaceData* data = tile != nullptr ? GetSurfaceData(tile->SurfaceDataHandle) : nullptr;
    if (data == nullptr) {
        return -1;
    }
    if (data->MemImgFlag != 0) {
        direct_draw.draw_surface = nullptr;
        direct_draw.draw_image = &data->Image;
        direct_draw.draw_offset_x = 0;
        direct_draw.draw_offset_y = 0;
    } else {
        direct_draw.draw_surface = data->Surface;
        direct_draw.draw_offset_x = tile->SourceX;
        direct_draw.draw_offset_y = tile->SourceY;
    }
    direct_draw.draw_depth_image = TestMemImgValid(&data->ZImage) != 0 ? &data->ZImage : nullptr;
    ApplyPrimaryClipper(true);
    return 0;
}

}  // namespace

int SetDrawTarget2D(int target, int) {
    direct_draw.draw_image = nullptr;
    direct_draw.draw_depth_image = nullptr;
    direct_draw.draw_offset_x = 0;
    direct_draw.draw_offset_y = 0;
    if (target == kDrawTargetFront) {
        direct_draw.draw_surface = direct_draw.primary;
        direct_draw.draw_image = &direct_draw.primary_image;
        ApplyPrimaryClipper(false);
    } else if (target == kDrawTargetBack) {
        direct_draw.draw_surface = direct_draw.back;
        direct_draw.draw_image = &direct_draw.back_image;
        direct_draw.draw_depth_image = &direct_draw.depth_image;
        ApplyPrimaryClipper(true);
    } else if (TargetGraph(target) < 0) {
        return -1;
    }
    draw_settings.target_in_video_memory =
        direct_draw.draw_surface != nullptr && (platform::GetSurfaceCaps(direct_draw.draw_surface) &
                                                platform::kCapsVideoMemory) != 0
            ? 1
            : 0;
    return 0;
}

MEMIMG* GetBlendImageMemImg() {
    const GraphRecord* record = GetGraphRecord(draw_settings.blend_image);
    if (record == nullptr || record->Key.TextureFlag != 0 || record->TileCount == 0) {
        return nullptr;
    }
    const Surface2D* tile = GetSurface2D(record->Tiles[0]);
    SurfaceData* data = tile != nullptr ? GetSurfaceData(tile->SurfaceDataHandle) : nullptr;
    if (data == nullptr || TestMemImgValid(&data->Image) == 0) {
        return nullptr;
    }
    return &data->Image;
}

int SetBlendImageWeights2D(const GraphRecord*, int parameter1, int parameter2) {
    BuildBlendGraphWeightTable(parameter1, parameter2);
    return 0;
}

}  // namespace layer
