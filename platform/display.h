#pragma once

// The display stand-in: one display object per process with its cooperative level and
// display mode, and surfaces that are pixel buffers in memory. Window mode reports the
// desktop (always 32-bit X8R8G8B8); a display mode is emulated by covering the desktop with
// the window, and every mode change posts the window's display-change message. The primary
// surface is the window's client area: its rectangles are desktop coordinates, translated by
// the client origin and clipped to the client area; what is written to it goes to the
// presenter. Rectangles are right/bottom-exclusive. Main thread only.

#include "platform/display_types.h"
#include "platform/window.h"

namespace platform {

class Direct3D;

struct DisplayRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The client area on the desktop as the window code keeps it; the primary surface and the
// clipper use this one value. Without a reader the open window is asked.
using ClientAreaReader = DisplayRect (*)();
void SetClientAreaReader(ClientAreaReader reader);
DisplayRect ReadClientArea();

// The object.
int CreateDisplayObject(DisplayObject** out);
// Releases the object and every surface, clipper and palette still made from it.
void ReleaseDisplayObject(DisplayObject* object);
int SetCooperativeLevel(DisplayObject* object, Window* window, std::uint32_t flags);
std::uint32_t GetCooperativeLevel(const DisplayObject* object);
// 8, 16 (R5G6B5) or 32 bits; shown by covering the desktop with the window.
int SetDisplayMode(DisplayObject* object, int width, int height, int bits, int refresh);
int RestoreDisplayMode(DisplayObject* object);
int GetDisplayMode(const DisplayObject* object, DisplayMode* mode);
int GetDisplayCaps(const DisplayObject* object, DisplayCaps* caps);
int GetDeviceIdentifier(const DisplayObject* object, DisplayIdentifier* identifier);
int GetAvailableVideoMemory(const DisplayObject* object, std::uint32_t* total, std::uint32_t* free);
// The 3D interface of the display (platform/gfx3d/device.h), or a failure when it cannot be
// made; released with ReleaseDirect3D or with the object.
int QueryDirect3D(DisplayObject* object, Direct3D** out);
void ReleaseDirect3D(Direct3D* direct3d);

// The system's own mode switch, used when there is no display object: null restores the
// desktop. The same toggle as SetDisplayMode.
int ChangeDisplaySettings(const DisplaySettingsRequest* request);
// The display mode in force (the emulated one while a mode is set, else the desktop).
DisplayMode ReadDisplayModeInForce();
// A display mode is set (the desktop is not in force).
bool IsDisplayModeSet();
// The refresh rate the system reports for the screen.
int ReadDisplayRefreshRate();

// The virtual vertical blank: 60 Hz on the display's time source, in the blank for the last
// 5 % of each period; the scan line is the phase times the screen height.
int GetVerticalBlankStatus(const DisplayObject* object, int* in_blank);
int GetScanLine(const DisplayObject* object, int* line);
// Sleeps until the next blank starts.
int WaitForVerticalBlank(DisplayObject* object);

// Surfaces. Without a pixel format a surface takes the display's; without a memory bit the
// primary, 3D-device and texture surfaces are in video memory and others in system memory.
int CreateSurface(DisplayObject* object, const SurfaceDescription& description,
                  DisplaySurface** out);
void ReleaseSurface(DisplaySurface* surface);
int GetSurfaceDescription(const DisplaySurface* surface, SurfaceDescription* description);
std::uint32_t GetSurfaceCaps(const DisplaySurface* surface);
int GetSurfacePixelFormat(const DisplaySurface* surface, DdPixelFormat* format);
// `rect` null locks the whole surface; the description's pixels point at the rectangle's
// origin. A read-only lock leaves the surface's contents unchanged.
int LockSurface(DisplaySurface* surface, const DisplayRect* rect, SurfaceDescription* description,
                std::uint32_t flags);
int UnlockSurface(DisplaySurface* surface);
// Colour fill (a raw value), depth fill, a copy between surfaces of one format, stretched by
// nearest neighbour when the sizes differ. Null rectangles are the whole surfaces.
int BltSurface(DisplaySurface* destination, const DisplayRect* destination_rect,
               DisplaySurface* source, const DisplayRect* source_rect, std::uint32_t flags,
               std::uint32_t fill_value);
// An unscaled copy to (x, y); kBltFastSourceColourKey skips the source's key pixels.
int BltFastSurface(DisplaySurface* destination, int x, int y, DisplaySurface* source,
                   const DisplayRect* source_rect, std::uint32_t flags);
// Copies the back buffer to the front (the back keeps its pixels), after the next vertical
// blank unless kFlipNoVsync.
int FlipSurface(DisplaySurface* front, std::uint32_t flags);
int IsSurfaceLost(const DisplaySurface* surface);
int RestoreSurface(DisplaySurface* surface);
int SetSurfaceColourKey(DisplaySurface* surface, std::uint32_t flags, const ColourKey* key);
int GetSurfaceColourKey(const DisplaySurface* surface, ColourKey* key);
int GetAttachedSurface(DisplaySurface* surface, std::uint32_t caps, DisplaySurface** out);
int AddAttachedSurface(DisplaySurface* surface, DisplaySurface* attached);
int DeleteAttachedSurface(DisplaySurface* surface, DisplaySurface* attached);
// Calls `visit` for each attached surface until it returns 0.
using AttachedSurfaceVisitor = int (*)(DisplaySurface* attached, void* context);
int EnumAttachedSurfaces(DisplaySurface* surface, AttachedSurfaceVisitor visit, void* context);
int SetSurfacePalette(DisplaySurface* surface, DisplayPalette* palette);
int SetSurfaceClipper(DisplaySurface* surface, DisplayClipper* clipper);
// The system drawing context of a surface, and its same-format copy between two of them.
int GetSurfaceDrawContext(DisplaySurface* surface);
int ReleaseSurfaceDrawContext(DisplaySurface* surface);
int CopyBetweenDrawContexts(DisplaySurface* destination, int x, int y, int width, int height,
                            DisplaySurface* source, int source_x, int source_y);

// Clippers bind the primary to the window; clipping is the primary's own client-area clip.
int CreateClipper(DisplayObject* object, DisplayClipper** out);
int SetClipperWindow(DisplayClipper* clipper, Window* window);
void ReleaseClipper(DisplayClipper* clipper);

// Palettes of 256 entries.
int CreatePalette(DisplayObject* object, std::uint32_t caps, const DisplayPaletteEntry* entries,
                  DisplayPalette** out);
int SetPaletteEntries(DisplayPalette* palette, int first, int count,
                      const DisplayPaletteEntry* entries);
int GetPaletteEntries(const DisplayPalette* palette, int first, int count,
                      DisplayPaletteEntry* entries);
void ReleasePalette(DisplayPalette* palette);

}  // namespace platform
