#pragma once

#include <cstdint>

#include "layer/media/graph_image.h"

namespace layer {

// Pixel access on a GraphImage; components are 0 to 255.

// 0xAARRGGBB of the pixel at (x, y) with each field's top bit on its byte's top bit (low bits
// 0); alpha 0 without an alpha channel. A palette image gives its entry's colour (alpha 0).
// No bounds check; 0 when the image has no pixels.
std::uint32_t ReadImagePixel(const GraphImage& image, int x, int y);

// The pixel's components (a palette image gives its entry's red, green, blue and fourth
// byte). A compressed image is expanded first. -1 outside the image or without pixels.
int FetchImagePixel(GraphImage* image, int x, int y, int* red, int* green, int* blue, int* alpha);

// Stores PackColor of the components at (x, y); the same guards as FetchImagePixel.
int WriteImagePixel(GraphImage* image, int x, int y, int red, int green, int blue, int alpha);

// Every pixel of the image becomes PackColor of the components. Always 0.
int FillImageColor(GraphImage* image, int red, int green, int blue, int alpha);

// Reverses every row in place; -1 for an image without width or height.
int MirrorImageRows(GraphImage* image);

}  // namespace layer
