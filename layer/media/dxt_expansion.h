#pragma once

#include "layer/media/graph_image.h"

namespace layer {

// Compression codes of PixelFormat::compression.
enum DxtCompression : int {
    kPlainPixels = 0,
    kDxt1 = 1,
    kDxt2 = 2,
    kDxt3 = 3,
    kDxt4 = 4,
    kDxt5 = 5,
};

// Decodes the first mip level of a DXT1..DXT5 image into A8R8G8B8 pixels (pitch width x 4);
// width, height and mip level count stay. Only whole 4 x 4 blocks are decoded; the edge
// pixels of other sizes stay 0. A plain image is left alone (0). -1 when the memory cannot be
// had or the code or size is not one of a compressed image; the image is then unchanged.
int ExpandCompressedImage(GraphImage* image);

}  // namespace layer
