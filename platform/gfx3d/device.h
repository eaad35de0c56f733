#pragma once

// The 3D interface of a display object and its devices. A device draws pre-transformed
// triangles into a display surface (its render target) with textures that are display
// surfaces too, under render states and texture-stage states it keeps until they are set
// again. Every operation returns kDisplayOk or a failure code of display_types.h. Back ends:
// the OpenGL one, and a recording one that the tests install. Main thread only.

#include <cstdint>
#include <vector>

#include "platform/display.h"
#include "platform/gfx3d/device_types.h"

namespace platform {

class Device3D {
  public:
    virtual ~Device3D() = default;

    // The pixel formats textures can be made in, in the device's order of preference.
    virtual int EnumTextureFormats(std::vector<DdPixelFormat>* formats) = 0;
    virtual int SetRenderState(RenderState state, std::uint32_t value) = 0;
    virtual int SetStageState(int stage, StageState state, std::uint32_t value) = 0;
    // Null unbinds the stage's texture.
    virtual int SetTexture(int stage, DisplaySurface* texture) = 0;
    virtual int SetRenderTarget(DisplaySurface* target) = 0;
    virtual int SetViewport(const Viewport3D& viewport) = 0;
    virtual int BeginScene() = 0;
    virtual int EndScene() = 0;
    // A row-major 4 x 4 matrix; stored only, since every vertex comes pre-transformed.
    virtual int SetTransform(TransformKind kind, const float* matrix) = 0;
    virtual int DrawPrimitive(Primitive primitive, VertexLayout layout, const void* vertices,
                              int count) = 0;
    virtual int DrawIndexedPrimitive(Primitive primitive, VertexLayout layout, const void* vertices,
                                     int vertex_count, const std::uint16_t* indices,
                                     int index_count) = 0;
    // Copies a rectangle of one texture to (x, y) of another of the same format.
    virtual int Load(DisplaySurface* destination, int x, int y, DisplaySurface* source,
                     const DisplayRect& rect) = 0;
    // Clears the viewport's part of the target (null rectangle) or the rectangle.
    virtual int Clear(const DisplayRect* rect, std::uint32_t flags, std::uint32_t colour,
                      float depth) = 0;
};

class Direct3D {
  public:
    virtual ~Direct3D() = default;

    virtual int EnumDevices(std::vector<DeviceDescription>* devices) = 0;
    // The depth formats a device of the kind can use.
    virtual int EnumDepthFormats(DeviceKind kind, std::vector<DdPixelFormat>* formats) = 0;
    // A device of the kind drawing into the surface; the caller deletes it.
    virtual int CreateDevice(DeviceKind kind, DisplaySurface* target, Device3D** out) = 0;
};

// What QueryDirect3D makes: null keeps the OpenGL back end.
using Direct3DMaker = Direct3D* (*)(DisplayObject* object);
void SetDirect3DMaker(Direct3DMaker maker);

}  // namespace platform
