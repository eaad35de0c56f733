#pragma once

// Graphics services for drawing text into software images without a screen: always ready,
// 32 bits, X8R8G8B8 colours and no work surfaces. Header-only, so that benchmarks (which do
// not link the test support library) can share it with the fuzz targets.

#include "layer/media/text_draw_services.h"

namespace test {

inline void UseThirtyTwoBitTextServices() {
    layer::text_draw_services.graphics_not_ready = [] { return 0; };
    layer::text_draw_services.screen_bits = [] { return 32; };
    layer::text_draw_services.rgb_to_pixel = [](int red, int green, int blue) {
        return red << 16 | green << 8 | blue;
    };
    layer::text_draw_services.pixel_to_rgb = [](int pixel, int* red, int* green, int* blue) {
        *red = pixel >> 16 & 0xFF;
        *green = pixel >> 8 & 0xFF;
        *blue = pixel & 0xFF;
        return 0;
    };
    layer::text_draw_services.add_work_surface = [](int, int*) { return 0; };
}

}  // namespace test
