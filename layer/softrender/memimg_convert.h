#pragma once

#include <cstdint>

#include "layer/core/rect.h"
#include "layer/media/graph_image.h"
#include "layer/softrender/memimg.h"

namespace layer {

// Converts the rectangle (x, y, width, height) of `source` into `image` at (dx, dy). Colour
// types 2 and 3 take each pixel's red channel, rescaled to their width. Colour types 0 and 1
// take `alpha`'s red channel as alpha when given (read at the source's coordinates) and turn
// the image's transparent colour into alpha 0 when `transparent_to_alpha` is set. A palette
// image also takes the source's 256 palette entries and, without an alpha image, its entry
// count from the largest index stored. The derived data is marked stale, and rebuilt when the
// store covers the whole image. -1 when the conversion refuses or a rectangle leaves either
// image; nothing changes then.
int StoreGraphImageInMemImg(const GraphImage* source, const GraphImage* alpha, MEMIMG* image, int x,
                            int y, int width, int height, int dx, int dy, int transparent_to_alpha);

// Converts the rectangle (x, y, width, height) of a plain 16- or 32-bit image into `target` at
// (dx, dy); with `skip_transparent` set, source pixels equal to `transparent_colour` are not
// written. -1, with nothing written, for a palette, alpha or single-channel image or a
// rectangle that leaves either image; else the conversion's result.
int StoreMemImgInGraphImage(GraphImage* target, const MEMIMG* image, int x, int y, int width,
                            int height, int dx, int dy, std::uint32_t transparent_colour,
                            int skip_transparent);

// Copies `source_rect` of `source` (null: all of it) into `destination` at (x, y), converting
// between the two layouts, and marks the destination's derived data stale. Returns the
// conversion's result (the largest index copied between two palette images, else 0), or -1
// with nothing copied for an empty rectangle or one that leaves either image.
int CopyMemImgRect(MEMIMG* destination, const MEMIMG* source, const Rect* source_rect, int x,
                   int y);

}  // namespace layer
