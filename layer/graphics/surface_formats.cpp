// Pixel-format records of surfaces.
#include <bit>
#include <cstring>

#include "layer/graphics/graphics_services.h"
#include "layer/graphics/screen_colours.h"

namespace layer {
namespace {

struct Run {
    std::uint8_t position = 0;
    std::uint8_t width = 0;
};

// The lowest set bit of the mask and the number of set bits from there on.
Run RunOf(std::uint32_t mask) {
    if (mask == 0) {
        return {};
    }
    const int position = std::countr_zero(mask);
    return {static_cast<std::uint8_t>(position),
            static_cast<std::uint8_t>(std::countr_one(mask >> position))};
}

}  // namespace

int ConvertSurfacePixelFormat(const DdPixelFormat& source, PixelFormat* format) {
    const int bits = static_cast<int>(source.rgb_bit_count);
    format->bits_per_pixel = static_cast<std::uint16_t>(bits);
    format->bytes_per_pixel = static_cast<std::uint16_t>(bits / 8);
    format->red_mask = source.red_mask;
    format->green_mask = source.green_mask;
    format->blue_mask = source.blue_mask;
    format->alpha_mask = source.alpha_mask;
    const std::uint32_t depth_bits = bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
    format->unused_mask =
        depth_bits & ~(source.red_mask | source.green_mask | source.blue_mask | source.alpha_mask);
    const Run red = RunOf(format->red_mask);
    const Run green = RunOf(format->green_mask);
    const Run blue = RunOf(format->blue_mask);
    const Run alpha = RunOf(format->alpha_mask);
    const Run unused = RunOf(format->unused_mask);
    format->red_position = red.position;
    format->red_width = red.width;
    format->green_position = green.position;
    format->green_width = green.width;
    format->blue_position = blue.position;
    format->blue_width = blue.width;
    format->alpha_position = alpha.position;
    format->alpha_width = alpha.width;
    format->unused_position = unused.position;
    format->unused_width = unused.width;
    return 0;
}

int FillRgbPixelFormat(DdPixelFormat* format, int bit_count, std::uint32_t red_mask,
                       std::uint32_t green_mask, std::uint32_t blue_mask,
                       std::uint32_t alpha_mask) {
    *format = DdPixelFormat{};
    format->size = sizeof(DdPixelFormat);
    format->flags = kDdPixelFormatRgb;
    format->rgb_bit_count = static_cast<std::uint32_t>(bit_count);
    format->red_mask = red_mask;
    format->green_mask = green_mask;
    format->blue_mask = blue_mask;
    format->alpha_mask = alpha_mask;
    return 0;
}

int FillUnusedBitsRect(const Rect& rect, std::uint8_t* pixels, int pitch, const PixelFormat& format,
                       std::uint32_t value) {
    const int bytes = format.bytes_per_pixel;
    if (format.unused_mask == 0 || (bytes != 2 && bytes != 4)) {
        return 0;
    }
    const std::uint32_t bits = value << format.unused_position & format.unused_mask;
    for (int y = rect.top; y < rect.bottom; ++y) {
        std::uint8_t* row = pixels + y * pitch;
        for (int x = rect.left; x < rect.right; ++x) {
            std::uint32_t pixel = 0;
            std::memcpy(&pixel, row + x * bytes, static_cast<std::size_t>(bytes));
            pixel |= bits;
            std::memcpy(row + x * bytes, &pixel, static_cast<std::size_t>(bytes));
        }
    }
    return 0;
}

}  // namespace layer
