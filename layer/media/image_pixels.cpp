#include "layer/media/image_pixels.h"

#include <algorithm>
#include <cstdint>

#include "layer/media/dxt_expansion.h"
#include "layer/media/pixel_bytes.h"
#include "layer/media/pixel_value.h"

namespace layer {

namespace {

std::uint8_t* PixelAt(const GraphImage& image, int x, int y) {
    return image.pixels + static_cast<std::ptrdiff_t>(y) * image.pitch +
           static_cast<std::ptrdiff_t>(x) * image.format.bytes_per_pixel;
}

bool HasPlainPixelSize(const GraphImage& image) {
    return image.format.bytes_per_pixel >= 1 && image.format.bytes_per_pixel <= 4;
}

// Expands a compressed image and checks that (x, y) lies inside it; negative coordinates
// fail as large unsigned numbers.
bool PrepareAccess(GraphImage* image, int x, int y) {
    if (ExpandCompressedImage(image) != 0 || image->pixels == nullptr ||
        !HasPlainPixelSize(*image)) {
        return false;
    }
    return static_cast<unsigned>(x) < static_cast<unsigned>(image->width) &&
           static_cast<unsigned>(y) < static_cast<unsigned>(image->height);
}

// A field moved so that its top bit lands on bit 7 of a byte.
std::uint32_t TopAligned(std::uint32_t value, std::uint32_t mask, int position, int width) {
    if (width == 0) {
        return 0;
    }
    const std::uint32_t field = ShiftRight(value & mask, position);
    return width <= 8 ? (field << (8 - width)) & 0xFF : ShiftRight(field, width - 8) & 0xFF;
}

}  // namespace

std::uint32_t ReadImagePixel(const GraphImage& image, int x, int y) {
    if (image.pixels == nullptr || !HasPlainPixelSize(image)) {
        return 0;
    }
    const PixelFormat& format = image.format;
    const std::uint32_t value = LoadPixelValue(PixelAt(image, x, y), format.bytes_per_pixel);
    if (format.bytes_per_pixel == 1) {
        const PaletteEntry& entry = format.palette[value];
        return static_cast<std::uint32_t>(entry.red << 16 | entry.green << 8 | entry.blue);
    }
    return TopAligned(value, format.alpha_mask, format.alpha_position, format.alpha_width) << 24 |
           TopAligned(value, format.red_mask, format.red_position, format.red_width) << 16 |
           TopAligned(value, format.green_mask, format.green_position, format.green_width) << 8 |
           TopAligned(value, format.blue_mask, format.blue_position, format.blue_width);
}

int FetchImagePixel(GraphImage* image, int x, int y, int* red, int* green, int* blue, int* alpha) {
    if (!PrepareAccess(image, x, y)) {
        return -1;
    }
    const PixelFormat& format = image->format;
    const std::uint32_t value = LoadPixelValue(PixelAt(*image, x, y), format.bytes_per_pixel);
    if (format.bytes_per_pixel != 1) {
        return UnpackColor(format, value, red, green, blue, alpha);
    }
    const PaletteEntry& entry = format.palette[value];
    if (red != nullptr) {
        *red = entry.red;
    }
    if (green != nullptr) {
        *green = entry.green;
    }
    if (blue != nullptr) {
        *blue = entry.blue;
    }
    if (alpha != nullptr) {
        *alpha = entry.x;
    }
    return 0;
}

int WriteImagePixel(GraphImage* image, int x, int y, int red, int green, int blue, int alpha) {
    if (!PrepareAccess(image, x, y)) {
        return -1;
    }
    const std::uint32_t value = PackColor(image->format, red, green, blue, alpha);
    StorePixelValue(PixelAt(*image, x, y), image->format.bytes_per_pixel, value);
    return 0;
}

int FillImageColor(GraphImage* image, int red, int green, int blue, int alpha) {
    if (image->pixels == nullptr || !HasPlainPixelSize(*image)) {
        return 0;
    }
    const int bytes = image->format.bytes_per_pixel;
    const std::uint32_t value = PackColor(image->format, red, green, blue, alpha);
    for (int y = 0; y < image->height; ++y) {
        std::uint8_t* at = PixelAt(*image, 0, y);
        for (int x = 0; x < image->width; ++x, at += bytes) {
            StorePixelValue(at, bytes, value);
        }
    }
    return 0;
}

int MirrorImageRows(GraphImage* image) {
    if (image->width <= 0 || image->height <= 0) {
        return -1;
    }
    if (image->pixels == nullptr || !HasPlainPixelSize(*image)) {
        return 0;
    }
    const int bytes = image->format.bytes_per_pixel;
    for (int y = 0; y < image->height; ++y) {
        for (int left = 0, right = image->width - 1; left < right; ++left, --right) {
            std::swap_ranges(PixelAt(*image, left, y), PixelAt(*image, left, y) + bytes,
                             PixelAt(*image, right, y));
        }
    }
    return 0;
}

}  // namespace layer
