#pragma once

#include "layer/media/pixel_format.h"

namespace layer {

// The preset layouts. Each sets only the fields its layout names and leaves the rest of the
// record (the palette above all) as it was; only the grey preset writes the palette. Always 0.

// 8-bit palette: a pixel is an index; the masks describe an entry read as 0x00RRGGBB.
int FillPaletteFormat(PixelFormat* format);
// The palette preset with entry i = (i, i, i, 0).
int FillGreyPaletteFormat(PixelFormat* format);
// 32-bit X8R8G8B8: the top byte is unused and written as 0xFF by the packers.
int FillXrgb32Format(PixelFormat* format);
// 32-bit A8R8G8B8.
int FillArgb32Format(PixelFormat* format);
// 24-bit R8G8B8, stored as the bytes blue, green, red.
int FillRgb24Format(PixelFormat* format);

}  // namespace layer
