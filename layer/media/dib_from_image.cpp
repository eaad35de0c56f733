#include "layer/media/dib_from_image.h"

#include <cstring>

#include "layer/media/pixel_conversion.h"
#include "layer/media/pixel_format_presets.h"
#include "layer/media/tracked_block.h"

namespace layer {

namespace {

void FillTopDownHeader(const GraphImage& image, int bit_count, BitmapInfo* info) {
    info->header = BitmapInfoHeader{};
    info->header.size = sizeof(BitmapInfoHeader);
    info->header.width = image.width;
    info->header.height = -image.height;
    info->header.planes = 1;
    info->header.bit_count = static_cast<std::uint16_t>(bit_count);
    info->header.compression = kBitmapPlain;
}

bool IsRgb24(const PixelFormat& format) {
    return format.bits_per_pixel == 24 && format.red_mask == 0xFF0000 &&
           format.green_mask == 0xFF00 && format.blue_mask == 0xFF;
}

// New pixels with each row's first `row_bytes` bytes copied.
int CopyRows(const GraphImage& image, int dib_row, int row_bytes, std::uint8_t** pixels) {
    TrackedBlock rows =
        TrackedBlock::AllocateZeroed(static_cast<std::size_t>(dib_row) * image.height);
    if (!rows) {
        return -1;
    }
    for (int y = 0; y < image.height; ++y) {
        std::memcpy(rows.get() + static_cast<std::size_t>(y) * dib_row,
                    image.pixels + static_cast<std::size_t>(y) * image.pitch, row_bytes);
    }
    *pixels = rows.Release();
    return 1;
}

}  // namespace

int MakeDibFromImage(const GraphImage& image, BitmapInfo* info, std::uint8_t** pixels, int copy,
                     int force_24_bits) {
    if (image.format.bits_per_pixel == 8 && force_24_bits == 0) {
        FillTopDownHeader(image, 8, info);
        std::memcpy(info->colours, image.format.palette, sizeof info->colours);
        const int dib_row = (image.width + 3) & ~3;
        if (copy != 0 || image.pitch != dib_row) {
            return CopyRows(image, dib_row, image.width, pixels);
        }
        *pixels = image.pixels;
        return 0;
    }
    FillTopDownHeader(image, 24, info);
    const int dib_row = (image.width * 3 + 3) & ~3;
    if (!IsRgb24(image.format) || copy != 0) {
        TrackedBlock rows =
            TrackedBlock::AllocateZeroed(static_cast<std::size_t>(dib_row) * image.height);
        if (!rows) {
            return -1;
        }
        PixelFormat rgb24;
        FillRgb24Format(&rgb24);
        ConvertPixelRect(rows.get(), dib_row, &rgb24, image.pixels, image.pitch, &image.format,
                         nullptr, 0, nullptr, 0, 0, 0, 0, image.width, image.height, 0, 0, 0, 0, 0,
                         0, 0, 0);
        *pixels = rows.Release();
        return 1;
    }
    if (image.pitch != dib_row) {
        return CopyRows(image, dib_row, image.width * 3, pixels);
    }
    *pixels = image.pixels;
    return 0;
}

}  // namespace layer
