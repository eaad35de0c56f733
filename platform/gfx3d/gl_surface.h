#pragma once

// The GPU copy of a surface's pixels: a texture of the surface's format (with a framebuffer
// made when first drawn into or read) beside the CPU buffer. Two kinds of "newer": the GPU
// copy is newer after a draw, a clear or a blit into it, and the CPU buffer is newer in its
// dirty rectangle after a write through a lock. Each side is brought up to date just before the
// other reads: a CPU read takes back only the rectangle it needs, a GPU read first uploads the
// dirty rectangle. Main thread only, while the GL context lives.

#include <cstdint>

#include "platform/display.h"
#include "platform/gfx3d/gl_formats.h"

namespace platform {

struct GlSurface {
    GLuint texture = 0;
    GLuint framebuffer = 0;
    int width = 0;
    int height = 0;
    DdPixelFormat dd;
    GlPixelFormat format;
    // The CPU buffer's origin and row pitch.
    std::uint8_t* pixels = nullptr;
    int pitch = 0;
    bool gpu_newer = false;
    // Empty while the CPU buffer holds nothing the texture lacks.
    DisplayRect dirty;
};

// A GPU copy of the CPU buffer (its whole contents uploaded), or null when the format has no
// GL form or the texture cannot be made.
GlSurface* CreateGlSurface(int width, int height, const DdPixelFormat& format, std::uint8_t* pixels,
                           int pitch);
void DeleteGlSurface(GlSurface* surface);

// Uploads the dirty rectangle.
void SyncForGpu(GlSurface* surface);
// Makes the CPU buffer current in the rectangle.
void SyncForCpu(GlSurface* surface, const DisplayRect& rect);
void SyncWholeForCpu(GlSurface* surface);
void NoteCpuWrite(GlSurface* surface, const DisplayRect& rect);
void NoteGpuWrite(GlSurface* surface);
// The framebuffer drawing into the texture (made on first use); 0 when it is incomplete.
GLuint SurfaceFramebuffer(GlSurface* surface);
// A scissored clear of the rectangle to a raw pixel value of the surface's format.
void FillGlSurface(GlSurface* surface, const DisplayRect& rect, std::uint32_t value);
// A nearest-neighbour copy between two GPU copies of one format.
void BlitGlSurface(GlSurface* to, const DisplayRect& to_rect, GlSurface* from,
                   const DisplayRect& from_rect);

// The read-backs of GPU copies into CPU buffers made so far: a steady frame makes none.
std::uint64_t GlReadBackCount();

}  // namespace platform
