#include "layer/media/pixel_format.h"

namespace layer {

namespace {

// Position of the lowest set bit and the count of consecutive set bits from there; 0 and 0
// for an empty mask.
void MeasureMask(std::uint32_t mask, std::uint8_t* position, std::uint8_t* width) {
    std::uint8_t shift = 0;
    std::uint8_t count = 0;
    if (mask != 0) {
        while (((mask >> shift) & 1) == 0) {
            ++shift;
        }
        while (shift + count < 32 && ((mask >> (shift + count)) & 1) != 0) {
            ++count;
        }
    }
    *position = shift;
    *width = count;
}

}  // namespace

int FillFormatFromMasks(PixelFormat* format, int bits_per_pixel, std::uint32_t red_mask,
                        std::uint32_t green_mask, std::uint32_t blue_mask,
                        std::uint32_t alpha_mask) {
    format->bits_per_pixel = static_cast<std::uint16_t>(bits_per_pixel);
    format->bytes_per_pixel = static_cast<std::uint16_t>(bits_per_pixel / 8);
    format->compression = 0;
    format->red_mask = red_mask;
    format->green_mask = green_mask;
    format->blue_mask = blue_mask;
    format->alpha_mask = alpha_mask;
    std::uint32_t all_bits = 0xFFFFFFFFu;
    if (bits_per_pixel <= 0) {
        all_bits = 0;
    } else if (bits_per_pixel < 32) {
        all_bits = (std::uint32_t{1} << bits_per_pixel) - 1;
    }
    format->unused_mask = all_bits & ~(red_mask | green_mask | blue_mask | alpha_mask);
    MeasureMask(red_mask, &format->red_position, &format->red_width);
    MeasureMask(green_mask, &format->green_position, &format->green_width);
    MeasureMask(blue_mask, &format->blue_position, &format->blue_width);
    MeasureMask(alpha_mask, &format->alpha_position, &format->alpha_width);
    MeasureMask(format->unused_mask, &format->unused_position, &format->unused_width);
    return 0;
}

PixelFormat* SetFormatUnusedBits(PixelFormat* format) {
    const int widths =
        format->red_width + format->green_width + format->blue_width + format->alpha_width;
    if (widths == format->bits_per_pixel) {
        format->unused_mask = 0;
        return format;
    }
    std::uint32_t all_bits = 0;
    for (int bit = 0; bit < format->bits_per_pixel && bit < 32; ++bit) {
        all_bits |= std::uint32_t{1} << bit;
    }
    format->unused_mask = all_bits & ~(format->red_mask | format->green_mask | format->blue_mask |
                                       format->alpha_mask);
    return format;
}

int SamePixelFormat(const PixelFormat& a, const PixelFormat& b) {
    if (a.bits_per_pixel != b.bits_per_pixel || a.red_mask != b.red_mask ||
        a.green_mask != b.green_mask || a.blue_mask != b.blue_mask ||
        a.alpha_mask != b.alpha_mask) {
        return 0;
    }
    return a.bits_per_pixel != 0 || a.compression == b.compression ? 1 : 0;
}

int GetDibOutputMode() {
    return 0;
}

}  // namespace layer
