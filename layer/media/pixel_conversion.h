#pragma once

#include <cstdint>

#include "layer/media/pixel_format.h"

namespace layer {

// Moves the source rectangle (left, top, right, bottom; right and bottom exclusive) from one
// pixel layout to another at (x, y) of the destination. Options: mirror (rows written right to
// left), transparent colour (0x00RRGGBB) to alpha 0, dither (0 none, 1 ordered 4 x 4, 2 carry),
// no colour (red, green and blue written as 0), alpha from red, colour key (source pixels of
// the transparent colour skipped) and palette remap (nearest destination entries). The alpha
// image has the source rectangle's geometry; its red channel is the alpha (its format may be
// null: all zero). Nothing is clipped. Returns -1 for an empty rectangle, the highest index
// copied when palette indices are copied straight across, else 0.
int ConvertPixelRect(std::uint8_t* destination, int destination_pitch,
                     const PixelFormat* destination_format, const std::uint8_t* source,
                     int source_pitch, const PixelFormat* source_format, const std::uint8_t* alpha,
                     int alpha_pitch, const PixelFormat* alpha_format, int x, int y, int left,
                     int top, int right, int bottom, int mirror, int transparent_to_alpha,
                     std::uint32_t transparent_colour, int dither, int no_colour,
                     int alpha_from_red, int colour_key, int palette_remap);

}  // namespace layer
