#include "layer/softrender/memimg_surface_format.h"

#include "layer/softrender/memimg.h"
#include "layer/softrender/memimg_layout_table.h"

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
    return MemImgLayoutRecord(
        color_type, alpha_flag, palette_flag, [](int type, int alpha, int palette) {
            return SurfaceFormatOf(*GetMemImgPixelFormat(type, alpha, palette));
        });
}

}  // namespace layer
