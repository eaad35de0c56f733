#pragma once

#include "platform/dd_pixel_format.h"

namespace layer {

// The surface pixel-format record matching a software image layout (colour type 0 to 3 and
// its flags), filled on first request and kept for the process; null for another type.
const DdPixelFormat* GetMemImgSurfaceFormat(int color_type, int alpha_flag, int palette_flag);

}  // namespace layer
