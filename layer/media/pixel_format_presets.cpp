#include "layer/media/pixel_format_presets.h"

namespace layer {

namespace {

void FillEightBitChannels(PixelFormat* format, int bits_per_pixel) {
    format->bits_per_pixel = static_cast<std::uint16_t>(bits_per_pixel);
    format->bytes_per_pixel = static_cast<std::uint16_t>(bits_per_pixel / 8);
    format->red_width = 8;
    format->green_width = 8;
    format->blue_width = 8;
    format->red_position = 16;
    format->green_position = 8;
    format->blue_position = 0;
    format->red_mask = 0xFF0000;
    format->green_mask = 0xFF00;
    format->blue_mask = 0xFF;
    format->alpha_width = 0;
    format->alpha_position = 0;
    format->alpha_mask = 0;
    format->compression = 0;
}

}  // namespace

int FillPaletteFormat(PixelFormat* format) {
    FillEightBitChannels(format, 8);
    format->unused_mask = 0xFF000000;
    return 0;
}

int FillGreyPaletteFormat(PixelFormat* format) {
    FillPaletteFormat(format);
    for (int i = 0; i < 256; ++i) {
        const auto level = static_cast<std::uint8_t>(i);
        format->palette[i] = PaletteEntry{level, level, level, 0};
    }
    return 0;
}

int FillXrgb32Format(PixelFormat* format) {
    FillEightBitChannels(format, 32);
    format->unused_mask = 0xFF000000;
    format->unused_position = 24;
    format->unused_width = 8;
    return 0;
}

int FillArgb32Format(PixelFormat* format) {
    FillEightBitChannels(format, 32);
    format->alpha_width = 8;
    format->alpha_position = 24;
    format->alpha_mask = 0xFF000000;
    format->unused_mask = 0;
    return 0;
}

int FillRgb24Format(PixelFormat* format) {
    FillEightBitChannels(format, 24);
    format->unused_mask = 0;
    return 0;
}

}  // namespace layer
