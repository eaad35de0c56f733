#pragma once

// The records behind the display stand-in's handles, shared by its source files.

#include <cstdint>
#include <vector>

#include "platform/display.h"

namespace platform {

struct GlSurface;

struct DisplayPalette {
    DisplayObject* object = nullptr;
    DisplayPaletteEntry entries[256];
};

struct DisplayClipper {
    DisplayObject* object = nullptr;
    Window* window = nullptr;
};

struct DisplaySurface {
    DisplayObject* object = nullptr;
    std::uint32_t caps = 0;
    int width = 0;
    int height = 0;
    int pitch = 0;
    DdPixelFormat format;
    int z_bits = 0;
    // The pixels of every surface but the primary, whose pixels are the presenter's frame.
    std::vector<std::uint8_t> pixels;
    bool lost = false;
    int lock_depth = 0;
    // A lock open for writing: the primary shows what was written when it is unlocked.
    bool locked_for_writing = false;
    // What the open locks cover, in the surface's own coordinates.
    DisplayRect locked_rect;
    // The GPU copy of a texture or 3D-device surface in video memory while the GL context
    // lives.
    GlSurface* gpu = nullptr;
    bool has_source_key = false;
    ColourKey source_key;
    DisplayPalette* palette = nullptr;
    DisplayClipper* clipper = nullptr;
    std::vector<DisplaySurface*> attached;
    // The front of a flip chain owns its back buffer.
    DisplaySurface* chain_owner = nullptr;
    bool draw_context_open = false;
};

struct DisplayObject {
    Window* window = nullptr;
    std::uint32_t cooperative_level = 0;
    std::vector<DisplaySurface*> surfaces;
    std::vector<DisplayClipper*> clippers;
    std::vector<DisplayPalette*> palettes;
    // The 3D interfaces made from the object and not yet released.
    std::vector<Direct3D*> direct3d_objects;
};

// The display format for a depth (32 X8R8G8B8, 16 R5G6B5, 8 palette), before any forcing.
DdPixelFormat DisplayFormatForBits(int bits);
// The format of the display now, forced or not.
DdPixelFormat CurrentDisplayFormat();
int BytesPerPixelOf(const DdPixelFormat& format);

bool IsPrimary(const DisplaySurface* surface);

// What an operation addresses of a surface: the rectangle its coordinates may name (the
// client area in desktop coordinates for the primary, the surface's size otherwise) and where
// those pixels lie (the presenter's frame for the primary, brought to the client size first).
struct SurfaceView {
    DisplayRect bounds;
    std::uint8_t* pixels = nullptr;
    int pitch = 0;
    int bytes_per_pixel = 0;

    std::uint8_t* At(int x, int y) const {
        return pixels + (y - bounds.top) * pitch + (x - bounds.left) * bytes_per_pixel;
    }
};
SurfaceView ViewOf(DisplaySurface* surface);
// Shows a rectangle of the primary (desktop coordinates) that was written.
void ShowPrimaryRect(const DisplayRect& rect);

bool RectInside(const DisplayRect& rect, const DisplayRect& bounds);
bool RectEmpty(const DisplayRect& rect);
DisplayRect IntersectRects(const DisplayRect& a, const DisplayRect& b);

// The 3D interface QueryDirect3D hands out: the installed maker's, else the OpenGL one; null
// when none can be made.
Direct3D* MakeDirect3D(DisplayObject* object);

// Calls `visit` for every surface of every live object.
void ForEachDisplaySurface(void (*visit)(DisplaySurface* surface));

// The GPU copy behind a surface's pixels: its own, or the presenter frame's for the primary;
// null without one.
GlSurface* GpuCopyOf(DisplaySurface* surface);
// A rectangle of the surface's coordinates (desktop ones for the primary) in its pixels'.
DisplayRect LocalRect(const DisplaySurface* surface, const DisplayRect& rect);
// Gives the surface a GPU copy when it is one the 3D device may use and the context lives.
void AttachGpuCopy(DisplaySurface* surface);
// Every such surface of every live object gets its copy; and gives it up again, its pixels
// back in the CPU buffer.
void AttachGpuCopies();
void DetachGpuCopies();

// Every video-memory surface of the object, or of every live object, loses its memory.
void LoseVideoMemorySurfaces(DisplayObject* object);
void LoseVideoMemorySurfaces();

}  // namespace platform
