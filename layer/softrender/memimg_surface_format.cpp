#include "layer/softrender/memimg_surface_format.h"

#include "layer/softrender/memimg.h"

namespace layer {

namespace {

DdPixelFormat SurfaceFormatOf(const PixelFormat& format) {
    DdPixelFormat record;
    record.size = sizeof(DdPixelFormat);
    record.flags = kDdPixelFormatRgb;
    record.rgb_bit_count = format.bits_per_pixel;
    record.red_mask = format.red_mask;
    record.green_mask = format.green_mask;
    record.blue_mask = format.blue_mask;
    record.alpha_mask = format.alpha_mask;
    return record;
}

}  // namespace

const DdPixelFormat* GetMemImgSurfaceFormat(int color_type, int alpha_flag, int palette_flag) {
    auto of = [](int type, int alpha, int palette) {
        return SurfaceFormatOf(*GetMemImgPixelFormat(type, alpha, palette));
    };
    static const DdPixelFormat kColor[2][2][2] = {
        {{of(0, 0, 0), of(0, 0, 1)}, {of(0, 1, 0), of(0, 1, 1)}},
        {{of(1, 0, 0), of(1, 0, 1)}, {of(1, 1, 0), of(1, 1, 1)}}};
    static const DdPixelFormat kSingle8 = of(2, 0, 0);
    static const DdPixelFormat kSingle16 = of(3, 0, 0);
    switch (color_type) {
        case 0:
        case 1:
            return &kColor[color_type][alpha_flag != 0][palette_flag != 0];
        case 2:
            return &kSingle8;
        case 3:
            return &kSingle16;
        default:
            return nullptr;
    }
}

}  // namespace layer
