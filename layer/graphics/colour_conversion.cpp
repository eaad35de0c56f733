// Colours as pixel values of the screen and back.
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/screen_colours.h"

namespace layer {
namespace {

bool IsPaletteScreen() {
    return direct_draw.screen_bits == 8;
}

// The layout colours are packed into: the software screens' in software drawing.
const PixelFormat& PackingFormat() {
    if (IsSoftwareDrawMode() != 0) {
        return *GetMemImgPixelFormat(SoftwareScreenColourType(), 0, 0);
    }
    return direct_draw.screen_format;
}

std::uint32_t PackChannel(int component, int width, int position) {
    if (width == 0) {
        return 0;
    }
    return static_cast<std::uint32_t>((component & 0xFF) >> (8 - width)) << position;
}

int WidenChannel(std::uint32_t pixel, std::uint32_t mask, int width, int position) {
    if (width == 0) {
        return 0;
    }
    const std::uint32_t maximum = (1u << width) - 1;
    return static_cast<int>(((pixel & mask) >> position) * 255 / maximum);
}

}  // namespace

int NearestPaletteIndex(int red, int green, int blue) {
    int best = 0;
    int best_distance = 0x7FFFFFFF;
    for (int index = 0; index < 256; ++index) {
        const platform::DisplayPaletteEntry& entry = direct_draw.palette_entries[index];
        const int dr = entry.red - red;
        const int dg = entry.green - green;
        const int db = entry.blue - blue;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < best_distance) {
            best_distance = distance;
            best = index;
        }
    }
    return best;
}

int RgbToPixel(int red, int green, int blue) {
    if (IsPaletteScreen()) {
        return NearestPaletteIndex(red & 0xFF, green & 0xFF, blue & 0xFF);
    }
    const PixelFormat& format = PackingFormat();
    return static_cast<int>(PackChannel(red, format.red_width, format.red_position) |
                            PackChannel(green, format.green_width, format.green_position) |
                            PackChannel(blue, format.blue_width, format.blue_position) |
                            format.unused_mask);
}

int PixelToRgb(std::uint32_t pixel, int* red, int* green, int* blue) {
    if (IsPaletteScreen()) {
        if (pixel > 255) {
            return -1;
        }
        const platform::DisplayPaletteEntry& entry = direct_draw.palette_entries[pixel];
        *red = entry.red;
        *green = entry.green;
        *blue = entry.blue;
        return 0;
    }
    const bool software =
        IsSoftwareDrawMode() != 0 && direct_draw.screen_bits != GetScreenColourBits();
    const PixelFormat& format = software ? *GetMemImgPixelFormat(SoftwareScreenColourType(), 0, 0)
                                         : direct_draw.screen_format;
    *red = WidenChannel(pixel, format.red_mask, format.red_width, format.red_position);
    *green = WidenChannel(pixel, format.green_mask, format.green_width, format.green_position);
    *blue = WidenChannel(pixel, format.blue_mask, format.blue_width, format.blue_position);
    return 0;
}

}  // namespace layer
