#pragma once

// Surface data: the pixels of one tile of a graph, held as a display surface or a software
// image, reference-counted so that derived graphs share their parent's pixels.

#include <cstdint>

#include "layer/core/handle_table.h"
#include "layer/core/rect.h"
#include "layer/graphics/format_key.h"
#include "layer/media/pixel_format.h"
#include "layer/softrender/memimg.h"
#include "platform/display.h"

namespace layer {

struct SurfaceData {
    int CheckNo = 0;
    int* DeleteNotice = nullptr;
    FormatKey Key;
    // 1: the pixels are `Image`; 0: `Surface`.
    int MemImgFlag = 0;
    // Texture format 0..13; 14 a 2D display surface; 15..18 a software image.
    int FormatIndex = 0;
    int ZBufferWanted = 0;
    platform::DisplaySurface* Surface = nullptr;
    MEMIMG Image;
    platform::DisplaySurface* ZSurface = nullptr;
    MEMIMG ZImage;
    // 0x00RRGGBB at creation.
    std::uint32_t TransColour = 0;
    std::uint16_t Width = 0;
    std::uint16_t Height = 0;
    int RefCount = 0;
    int LockPitch = 0;
    std::uint8_t* LockPixels = nullptr;
    int LockDepth = 0;
    const PixelFormat* LockFormat = nullptr;
};

using SurfaceDataTable = HandleTable<SurfaceData, kSurfaceDataHandleKind>;

int AddSurfaceData(int reference_count, int width, int height, std::uint32_t trans_colour,
                   const FormatKey* key);
int AddSurfaceDataRef(int handle);
// The new count; the caller deletes the record when it reaches 0.
int ReleaseSurfaceDataRef(int handle);
int DeleteSurfaceData(int handle);
SurfaceData* GetSurfaceData(int handle);
int CreateSurfaceDataSurface(int handle);
int ReleaseSurfaceDataSurfaces(int handle);
int SetSurfaceDataColourKey(int handle);
// 0 when nothing was lost; -1 after restoring a lost surface, whose contents must be written
// again.
int RestoreSurfaceData(int handle);
// The pixels of the record (moved to `point` when given): 0, -2 when already locked (the
// depth goes up and the same pointer is given), -1 when the lock fails.
int LockSurfaceData(int handle, int* pitch, std::uint8_t** pixels, int write_only, const int* point,
                    const PixelFormat** format);
// As LockSurfaceData, locking only the area (null: all) of a display surface; the pointer
// handed out still addresses the surface's origin.
int LockSurfaceDataArea(int handle, const Rect* area, int* pitch, std::uint8_t** pixels,
                        int write_only, const int* point, const PixelFormat** format);
// The pixel format of the record's pixels: its software image's, its texture format, or the
// screen's.
const PixelFormat* SurfacePixelFormat(const SurfaceData& data);
// Leaves one level of locking; the surface is unlocked when the depth returns to 0.
int UnlockSurfaceData(int handle);
int FillSurfaceData(int handle, int red, int green, int blue, int alpha);
int SetSurfaceDataZBuffer(int handle, int want);
int ChooseTextureFormat(const FormatKey& key);

}  // namespace layer
