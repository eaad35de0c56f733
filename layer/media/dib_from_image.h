#pragma once

#include <cstdint>

#include "layer/media/bitmap_info.h"
#include "layer/media/graph_image.h"

namespace layer {

// Describes an image as top-down device-independent pixels: 8-bit images (unless 24 bits are
// forced) with their palette, every other image as R8G8B8 rows of width x 3 rounded up to 4.
// The image's own pixels serve when they already have that layout and row size and no copy is
// asked for (0); otherwise new pixels are made, which the caller frees (1). -1 when the memory
// cannot be had.
int MakeDibFromImage(const GraphImage& image, BitmapInfo* info, std::uint8_t** pixels, int copy,
                     int force_24_bits);

}  // namespace layer
