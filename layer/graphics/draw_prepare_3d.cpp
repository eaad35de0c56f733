// The preparation of every texture draw: the draw settings and the tile's alpha kind become
// the current device's request, and the blend image its second texture.
#include "layer/graphics/device_state.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/surface_data.h"
#include "layer/graphics/texture_tiles.h"

namespace layer {
namespace {

constexpr int kBilinear = 1;
constexpr int kBlendLeaveTarget = 8;
constexpr std::uint32_t kWhite = 0xFFFFFF;

struct AlphaUse {
    int colour_key = 0;
    int alpha_channel = 0;
    int alpha_test = 0;
};

// How a transparent draw of the tile's texture hides its transparent pixels: a texture without
// alpha by its colour key; one with alpha by its own kind where the blend mode and filter keep
// its edges hard, else by blending its alpha smoothly.
AlphaUse AlphaUseOf(const Surface3DData* tile, int flags) {
    const SurfaceData* data = tile != nullptr ? GetSurfaceData(tile->SurfaceHandle) : nullptr;
    if ((flags & kDraw3DTransparent) == 0 || data == nullptr) {
        return {};
    }
    const FormatKey& key = data->Key;
    if (key.AlphaChFlag == 0 && key.AlphaTestFlag == 0) {
        return {1, 0, 0};
    }
    const int mode = draw_settings.blend_mode;
    if ((mode == 0 || mode == kBlendLeaveTarget) &&
        ((flags & kDraw3DKeepAlphaKind) != 0 || draw_settings.filter_mode != kBilinear)) {
        return {0, key.AlphaChFlag, key.AlphaTestFlag};
    }
    return {0, 1, 0};
}

}  // namespace

int PrepareDraw3D(const Surface3DData* tile, int flags) {
    DeviceState* state = CurrentDevice();
    if (state == nullptr) {
        return -1;
    }
    const int index = direct3d.CurrentDevice;
    SetDeviceLighting(index, (flags & kDraw3DLighting) != 0 ? 1 : 0);
    if ((flags & kDraw3DKeepState) == 0) {
        const AlphaUse alpha = AlphaUseOf(tile, flags);
        SetDeviceTexturePerspective(index, (flags & kDraw3DPerspective) != 0 ? 1 : 0);
        SetDeviceDiffuseColourFlag(
            index,
            (flags & kDraw3DDiffuseColour) != 0 || draw_settings.bright_colour != kWhite ? 1 : 0);
        SetDeviceDiffuseAlphaFlag(
            index, (flags & kDraw3DDiffuseAlpha) != 0 || draw_settings.blend_mode != 0 ? 1 : 0);
        SetDeviceDrawTexture(index, tile != nullptr ? GetTileTexture(*tile) : nullptr);
        SetDeviceBlendState(index, draw_settings.blend_mode, alpha.alpha_channel, alpha.alpha_test);
        if (state->Request.StagesDirty != 0 || state->Request.TextureChanged != 0) {
            ApplyDrawState(index);
        }
        SetDeviceColourKeyEnable(index, alpha.colour_key);
    }
    SetDeviceShadeMode(index, (flags & kDraw3DGouraud) != 0
                                  ? static_cast<int>(platform::kShadeGouraud)
                                  : static_cast<int>(platform::kShadeFlat));
    SetDeviceTextureFilter(index, draw_settings.filter_mode);
    SetDeviceCullMode(index, draw_settings.render.cull_mode);
    SetDeviceTextureAddress(index, draw_settings.render.texture_address_mode);
    if ((flags & kDraw3DDepth) != 0) {
        SetDeviceZEnable(index, draw_settings.render.depth_test);
        SetDeviceZWriteEnable(index, draw_settings.render.depth_write);
        SetDeviceZFunc(index, draw_settings.render.depth_function);
        SetDeviceZBias(index, draw_settings.render.depth_bias);
    } else {
        SetDeviceZEnable(index, 0);
    }
    SetDeviceFogEnable(index, (flags & kDraw3DFog) != 0 ? draw_settings.render.fog : 0);
    state->LastTile = tile;
    state->LastFlags = flags;
    return 0;
}

int SetTextureFilter3D(int mode) {
    if (direct3d.Direct3D == nullptr) {
        return -1;
    }
    return SetDeviceTextureFilter(direct3d.CurrentDevice, mode);
}

int SetBlendTexture3D(const GraphRecord* graph, int border, int range) {
    DeviceState* state = CurrentDevice();
    if (state == nullptr) {
        return -1;
    }
    const int index = direct3d.CurrentDevice;
    if (graph == nullptr) {
        if (state->BlendTexture != nullptr || state->Force != 0) {
            FlushDeviceBatch(index);
            state->BlendTexture = nullptr;
            if (border != -1) {
                state->Request.BlendBorder = border;
            }
            if (range != -1) {
                state->Request.BlendRange = range;
            }
            state->Request.StagesDirty = 1;
        }
        return 0;
    }
    const Surface3DData* tile = graph->TileCount > 0 ? GetSurface3DData(graph->Tiles[0]) : nullptr;
    const SurfaceData* data = tile != nullptr ? GetSurfaceData(tile->SurfaceHandle) : nullptr;
    if (data == nullptr) {
        return -1;
    }
    SetDeviceBlendTexture(index, data->Surface, border, range);
    direct3d.BlendScale[0] = data->Width;
    direct3d.BlendScale[1] = data->Height;
    direct3d.BlendScale[2] = 1.0f / data->Width;
    direct3d.BlendScale[3] = 1.0f / data->Height;
    return 0;
}

}  // namespace layer
