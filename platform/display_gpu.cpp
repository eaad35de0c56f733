// GPU copies of the display stand-in's surfaces: which surfaces have one, and their coming and
// going with the GL context.
#include "platform/display_internal.h"
#include "platform/gfx3d/gl_context.h"
#include "platform/gfx3d/gl_surface.h"
#include "platform/presenter_internal.h"

namespace platform {
namespace {

// Surfaces a 3D device samples or draws into.
bool WantsGpuCopy(const DisplaySurface* surface) {
    return !IsPrimary(surface) && (surface->caps & (kCapsTexture | kCaps3DDevice)) != 0 &&
           (surface->caps & kCapsVideoMemory) != 0 && (surface->caps & kCapsZBuffer) == 0;
}

}  // namespace

GlSurface* GpuCopyOf(DisplaySurface* surface) {
    if (IsPrimary(surface)) {
        return (surface->caps & kCapsSystemMemory) == 0 ? FrameGpuCopy() : nullptr;
    }
    return surface->gpu;
}

DisplayRect LocalRect(const DisplaySurface* surface, const DisplayRect& rect) {
    if (!IsPrimary(surface)) {
        return rect;
    }
    const DisplayRect client = ReadClientArea();
    return {rect.left - client.left, rect.top - client.top, rect.right - client.left,
            rect.bottom - client.top};
}

void AttachGpuCopy(DisplaySurface* surface) {
    if (surface->gpu == nullptr && HasGlContext() && WantsGpuCopy(surface)) {
        surface->gpu = CreateGlSurface(surface->width, surface->height, surface->format,
                                       surface->pixels.data(), surface->pitch);
    }
}

void AttachGpuCopies() {
    ForEachDisplaySurface(AttachGpuCopy);
}

void DetachGpuCopies() {
    ForEachDisplaySurface([](DisplaySurface* surface) {
        if (surface->gpu != nullptr) {
            SyncWholeForCpu(surface->gpu);
            DeleteGlSurface(surface->gpu);
            surface->gpu = nullptr;
        }
    });
}

}  // namespace platform
