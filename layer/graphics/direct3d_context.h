#pragma once

// The global state of the 3D side: the 3D interface, the chosen device's description and
// texture limits, the table of texture pixel formats, and four device records with their
// render-state cache, per-draw request and vertex batch.

#include <cstdint>

#include "layer/media/pixel_format.h"
#include "platform/display.h"
#include "platform/gfx3d/device.h"

namespace layer {

struct Surface3DData;

constexpr int kDeviceCount = 4;
constexpr int kTextureFormatCount = 14;
constexpr int kStageCount = platform::kMaxTextureStages;

// A texture pixel format as the device describes it and as the layer converts into it; an
// entry whose PixelFormat has 0 bits is empty.
struct TextureFormat {
    DdPixelFormat dd;
    PixelFormat format;
};

// Indices of the texture format table.
enum TextureFormatIndex : int {
    kFormat16 = 0,
    kFormat32 = 1,
    kFormat16Alpha4 = 2,
    kFormat32Alpha = 3,
    kFormat16Alpha1 = 4,
    kFormat32AlphaTest = 5,
    kFormatTarget16 = 11,
    kFormatTarget32 = 12,
    kFormatTargetAlpha = 13,
};

// The render states the draw-state code keeps, in its order.
enum CachedRenderState : int {
    kCachedAlphaTestEnable,
    kCachedAlphaRef,
    kCachedAlphaFunc,
    kCachedAlphaBlendEnable,
    kCachedDiffuseMaterialSource,
    kCachedSpecularMaterialSource,
    kCachedSpecularEnable,
    kCachedTextureFactor,
    kCachedSourceBlend,
    kCachedDestBlend,
    kCachedRenderStateCount,
};

// One texture stage's six codes; -1 leaves the device's value.
struct StageCodes {
    int alpha_arg1 = -1;
    int alpha_arg2 = -1;
    int alpha_op = -1;
    int colour_arg1 = -1;
    int colour_arg2 = -1;
    int colour_op = -1;
};

struct CachedStage {
    platform::DisplaySurface* texture = nullptr;
    StageCodes codes;
};

// The draw a device is asked for, gathered by the per-draw setters.
struct DrawRequest {
    int UseDiffuseColour = 0;
    int UseDiffuseAlpha = 0;
    int DrawBlendMode = 0;
    int BlendBorder = 0;
    int BlendRange = 0;
    int UseAlphaChannel = 0;
    int UseAlphaTest = 0;
    // The stage programme must be computed again.
    int StagesDirty = 0;
    // Only the texture changed.
    int TextureChanged = 0;
    // The batch is dropped instead of drawn.
    int SkipDraw = 0;
};

struct DeviceState {
    int InUse = 0;
    platform::Device3D* Device = nullptr;
    platform::DisplaySurface* DefaultTarget = nullptr;
    platform::DisplaySurface* CurrentTarget = nullptr;
    platform::DisplaySurface* DrawTexture = nullptr;
    platform::DisplaySurface* BlendTexture = nullptr;
    const Surface3DData* LastTile = nullptr;
    int LastFlags = 0;
    DrawRequest Request;
    // Every setter calls the device even when its cache holds the value.
    int Force = 0;
    std::uint32_t RenderStates[kCachedRenderStateCount] = {};
    int ActiveStages = 0;
    CachedStage Stages[kStageCount];
    int SceneOpen = 0;
    // 0 point sampling, 1 bilinear.
    int FilterMode = 0;
    int MagFilter[kStageCount] = {};
    int MinFilter[kStageCount] = {};
    int MipFilter[kStageCount] = {};
    int ZEnable = 0;
    int ZWriteEnable = 0;
    int ZFunc = 0;
    int ZBias = 0;
    int ShadeMode = 0;
    int CullFlag = 0;
    int TextureAddress = 0;
    int FogEnable = 0;
    int TexturePerspective = 0;
    int Lighting = 0;
    int ColourKeyEnable = 0;
    // Vertices in the batch of the current layout.
    int BatchCount = 0;
    platform::VertexLayout BatchFormat = platform::VertexLayout::kTextured;
    platform::Primitive BatchPrimitive = platform::Primitive::kTriangleList;
    platform::Viewport3D Viewport;
};

// Capacities of the three vertex buffers of a device.
constexpr int kBatchCapacity[platform::kVertexLayoutCount] = {3225, 2340, 1638};

// The vertex buffers of one device; z and rhw (and the blend layout's specular) preset.
struct VertexBuffers {
    platform::PlainVertex plain[kBatchCapacity[0]];
    platform::TexturedVertex textured[kBatchCapacity[1]];
    platform::BlendVertex blend[kBatchCapacity[2]];
};

struct Direct3DContext {
    platform::Direct3D* Direct3D = nullptr;
    int CurrentDevice = 0;
    int TnLDeviceFound = 0;
    platform::DeviceDescription DeviceDesc;
    std::uint32_t MinTextureSize = 0;
    std::uint32_t MaxTextureSize = 0;
    // A forced largest tile side; nothing sets it.
    std::uint32_t TextureSizeOverride = 0;
    // The blend image's texture width and height and their reciprocals.
    float BlendScale[4] = {};
    TextureFormat TextureFormats[kTextureFormatCount] = {};
    // 1 while the front screen is the render target: every texture draw ends the scene.
    int EndSceneAfterDraw = 0;
    // 1 while the draw target cannot be a render target (a 2D graph in system memory).
    int TargetUnusable = 0;
    DdPixelFormat ZBufferFormat;
    int CaptureIndexPlain = -1;
    int CaptureIndexAlpha = -1;
    int SingleTextureSwitch = 0;
    int CornerDrawSwitch = 0;
    // 1 after a successful start, kept while the interface is released after a loss.
    int Direct3DStarted = 0;
    DeviceState Devices[kDeviceCount];
};

extern Direct3DContext direct3d;
extern VertexBuffers device_buffers[kDeviceCount];

// The record of a device index (its low 16 bits), or null when there is no 3D interface or
// the record is not in use.
DeviceState* FindDevice(int index);
// The record of the current device, or null.
DeviceState* CurrentDevice();

}  // namespace layer
