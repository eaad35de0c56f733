#pragma once

// The mask facility: a screen-sized byte mask (0 drawing allowed, other blocked) and a work
// image of the screen through which a masked draw is merged onto its target. Nothing in the
// game creates the mask screen, so mask drawing is requested (IsMaskDrawingOn) but never in
// effect; SetMaskDrawing refuses while there is no mask screen. IsMaskDrawingOn and
// SetMaskDrawing are declared in graphics_services.h.

#include <cstdint>

#include "layer/graphics/graphics_services.h"
#include "layer/softrender/memimg.h"
#include "platform/display.h"

namespace layer {

struct MaskScreen {
    // One byte per pixel, rows MaskPitch bytes apart; null until created.
    std::uint8_t* MaskBits = nullptr;
    int MaskPitch = 0;
    int MaskExists = 0;
    int MaskUse = 0;
    int MaskActive = 0;
    // The work image: a software image in software drawing, else a display surface.
    MEMIMG MaskImage;
    platform::DisplaySurface* MaskSurface = nullptr;
    std::uint32_t MaskKey = 0;
    int MaskSurfaceInVideo = 0;
    int MaskReverse = 0;
};

extern MaskScreen mask_screen;

// Mask drawing in effect; what the draws test.
int IsMaskActive();
// The draw settings' reset: mask drawing requested, not in effect.
int ResetMaskState();
int CreateMaskScreen(int exists);
int ReleaseMaskScreen();
int RestoreMaskScreen();
// Graphics shutdown: mask drawing off and the mask screen released.
int EndMaskScreen();
platform::DisplaySurface* GetMaskSurface();
MEMIMG* GetMaskMemImg();
int BeginMaskedRect(int x1, int y1, int x2, int y2);
int EndMaskedRect(int x1, int y1, int x2, int y2);
int DeleteMask(int handle);
int DeleteAllMasks();

}  // namespace layer
