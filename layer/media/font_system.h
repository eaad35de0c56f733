#pragma once

// The font system's lifetime as the graphics side drives it, and the standard font's size
// handed back across a screen-mode change.

#include "layer/media/font_system_start.h"

namespace layer {

// Re-makes every font in its slot with its check number, so that handles stay valid across
// the loss of the display surfaces; the caches come back empty.
int RecreateAllFonts();
// The face argument is ignored; size -1 = 16, thickness -1 = 6.
int SetStandardFontMetrics(const char* face, int size, int thickness);

}  // namespace layer
