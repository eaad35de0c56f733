#pragma once

// The mask facility as this system has it: the mask screen never exists, so mask drawing is
// never in effect, whatever was requested. IsMaskDrawingOn (the request, 1 after the draw
// settings' reset) and SetMaskDrawing (-1: no mask screen to draw through) are declared in
// graphics_services.h.

#include "layer/graphics/graphics_services.h"

namespace layer {

// Mask drawing in effect; what the draws test.
int IsMaskActive();
// The draw settings' reset: mask drawing requested, not in effect.
int ResetMaskState();
int BeginMaskedRect(int x1, int y1, int x2, int y2);
int EndMaskedRect(int x1, int y1, int x2, int y2);
int DeleteAllMasks();
// Graphics shutdown: mask drawing off and the mask screen released.
int EndMaskScreen();

}  // namespace layer
