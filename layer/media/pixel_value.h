#pragma once

#include <cstdint>

#include "layer/media/pixel_format.h"

namespace layer {

// Single pixel values; components are 0 to 255.

// The value of a colour in `format`: for a palette format the index of the nearest entry (the
// lowest index on a tie, alpha ignored); otherwise each component cut to its channel width,
// with the unused bits set.
std::uint32_t PackColor(const PixelFormat& format, int red, int green, int blue, int alpha);

// Moves each channel field to the destination width by shifting (new low bits stay 0); a
// source without alpha gives the destination's full alpha. The unused bits are set.
std::uint32_t ConvertPixelValue(const PixelFormat& destination, const PixelFormat& source,
                                std::uint32_t value);

// Each component widened to 0..255 (field x 255 / field maximum, truncated); a channel of
// width 0 gives 0. Any out pointer may be null. Always 0.
int UnpackColor(const PixelFormat& format, std::uint32_t value, int* red, int* green, int* blue,
                int* alpha);

}  // namespace layer
