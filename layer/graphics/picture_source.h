#pragma once

#include "layer/media/graph_image.h"

namespace layer {

// What a picture writer copies from: a colour picture with an optional alpha picture (its
// red channel is the alpha), or a pair of system bitmaps when `bitmap_flag` is 1. No caller
// of this system passes bitmaps.
struct PictureSource {
    const void* colour_bitmap = nullptr;
    const void* alpha_bitmap = nullptr;
    int bitmap_flag = 0;
    const GraphImage* colour = nullptr;
    const GraphImage* alpha = nullptr;
};

}  // namespace layer
