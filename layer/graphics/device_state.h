#pragma once

// Operations on the 3D side's devices: their lifetime, render target, viewport, scenes and
// transforms, the texture formats, the render-state cache with the per-draw request, and the
// vertex batch. Every operation that takes a device index uses its low 16 bits and returns -1
// while there is no 3D interface or the record is not in use.

#include <cstdint>

#include "layer/core/rect.h"
#include "layer/graphics/direct3d_context.h"
#include "layer/softrender/matrix.h"

namespace layer {

// Devices.
int CreateDevice3D(platform::DisplaySurface* surface);
int RecreateDevice3D(int index);
int DeleteDevice3D(int index);
int DeleteAllDevices3D();
platform::Device3D* GetCurrentDevice3D();

// Render target, viewport, scenes and transforms.
int SetDeviceRenderTarget(platform::DisplaySurface* surface, int index);
int SetDeviceViewport(const platform::Viewport3D& viewport, int index);
int SetViewportFromRect(const Rect& rect);
int BeginDeviceScene(int index);
int BeginScene3D();
int EndDeviceScene(int index);
int SetWorldTransform3D(const Matrix44& matrix);
int SetViewTransform3D(const Matrix44& matrix);
int SetProjectionTransform3D(const Matrix44& matrix);

// Texture formats.
const PixelFormat* SelectTextureFormat(int alpha_channel, int alpha_test, int wide, int draw_valid);
const TextureFormat* GetTextureFormat(int index);
const PixelFormat* GetTexturePixelFormat(int index);
const DdPixelFormat* GetZBufferFormat();

// The render-state cache and the per-draw request.
int SetDeviceBlendState(int index, int mode, int alpha_channel, int alpha_test);
int SetDeviceDrawTexture(int index, platform::DisplaySurface* texture);
int SetDeviceBlendTexture(int index, platform::DisplaySurface* texture, int border, int range);
int SetDeviceDiffuseColourFlag(int index, int flag);
int SetDeviceDiffuseAlphaFlag(int index, int flag);
int SetDeviceTextureFilter(int index, int mode);
int SetDeviceZEnable(int index, int value);
int SetDeviceZWriteEnable(int index, int value);
int SetDeviceZFunc(int index, int function);
int SetDeviceZBias(int index, int bias);
int SetDeviceCullMode(int index, int flag);
int SetDeviceShadeMode(int index, int mode);
int SetDeviceTextureAddress(int index, int address);
int SetDeviceFogEnable(int index, int value);
int SetDeviceTexturePerspective(int index, int value);
int SetDeviceColourKeyEnable(int index, int value);
int SetDeviceLighting(int index, int value);
// Sends the stage filter codes of a filter-code row for one stage.
int SendStageFilterCode(int index, int stage, int code);
int ApplyDrawState(int index);
int ApplyBaseDeviceStates(int index);
int ReapplyDeviceState(int index);
int CopyDeviceDrawState(int source, int target);

// Per-draw preparation (flag bits below) on the current device.
enum Draw3DFlags : int {
    kDraw3DTransparent = 1 << 0,
    kDraw3DKeepAlphaKind = 1 << 1,
    kDraw3DDepth = 1 << 2,
    kDraw3DGouraud = 1 << 3,
    kDraw3DPerspective = 1 << 4,
    kDraw3DDiffuseColour = 1 << 5,
    kDraw3DDiffuseAlpha = 1 << 6,
    kDraw3DFog = 1 << 7,
    kDraw3DKeepState = 1 << 8,
    kDraw3DLighting = 1 << 9,
};
int PrepareDraw3D(const Surface3DData* tile, int flags);
int UpdateDrawColour3D();
int SetTextureFilter3D(int mode);

// The vertex batch.
int FlushDeviceBatch(int index);
// Room for `count` vertices of the batch's layout under the primitive: the batch is sent
// first when it holds another primitive or would reach its capacity. The place to write them.
void* ReserveBatch(DeviceState* device, platform::Primitive primitive, int count);
int DrawGridStrips(int index, int columns, const platform::TexturedVertex* vertices, int rows);
int DrawTileQuad3D(int tile, const float* corners);

}  // namespace layer
