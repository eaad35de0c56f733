#pragma once

// Colour conversions and pixel-format routines besides those of graphics_services.h.

#include <cstdint>

#include "layer/core/rect.h"
#include "layer/media/pixel_format.h"
#include "platform/dd_pixel_format.h"

namespace layer {

// The components of a screen pixel; -1 for an index outside 0..255 on an 8-bit screen.
int PixelToRgb(std::uint32_t pixel, int* red, int* green, int* blue);
// The screen palette's entry nearest to the colour (the lowest index on a tie).
int NearestPaletteIndex(int red, int green, int blue);
// A PixelFormat of the record: depth, masks, the unused bits of the depth, and each mask's
// lowest bit and run length. Returns 0.
int ConvertSurfacePixelFormat(const DdPixelFormat& source, PixelFormat* format);
// ORs `value` into the unused bits of every 2- or 4-byte pixel of the rectangle. Returns 0.
int FillUnusedBitsRect(const Rect& rect, std::uint8_t* pixels, int pitch, const PixelFormat& format,
                       std::uint32_t value);

}  // namespace layer
