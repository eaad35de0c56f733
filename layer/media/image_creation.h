#pragma once

#include "layer/media/graph_image.h"

namespace layer {

// Images made by the layer: the preset format, the size, a pitch of width x bytes per pixel
// rounded up to 4, a block of pitch x height bytes (contents undefined) and no mip levels.
// A width or height outside 1..65535 or a failed allocation leaves the pixels null: -1.
int CreateArgb32Image(int width, int height, GraphImage* image);
int CreateXrgb32Image(int width, int height, GraphImage* image);
int CreateRgb24Image(int width, int height, GraphImage* image);

// Gives the pixel block back (when there is one) and zeroes the record. Always 0.
int FreeGraphImage(GraphImage* image);

// The largest width or height of any image the layer makes or decodes.
constexpr int kMaxImageSide = 65535;

}  // namespace layer
