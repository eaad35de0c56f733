#include "layer/softrender/memimg_convert.h"

#include <cstring>

#include "layer/media/pixel_conversion.h"
#include "layer/softrender/memimg_runs.h"

namespace layer {

namespace {

// The rectangle is non-empty and lies inside an image of the given size.
bool RectInside(int left, int top, int width, int height, int image_width, int image_height) {
    return width > 0 && height > 0 && left >= 0 && top >= 0 &&
           std::int64_t{left} + width <= image_width && std::int64_t{top} + height <= image_height;
}

bool GraphImageHolds(const GraphImage& image, int left, int top, int width, int height) {
    return image.pixels != nullptr &&
           RectInside(left, top, width, height, image.width, image.height);
}

// The source's 256 entries in the image's own palette layout, then the work copy.
void StorePalette(const GraphImage& source, MemImgBody& body) {
    const int entry_bytes = body.ColorType == 0 ? 2 : 4;
    for (int i = 0; i < 256; ++i) {
        const PaletteEntry& entry = source.format.palette[i];
        const std::uint32_t value =
            body.ColorType == 0
                ? static_cast<std::uint32_t>((entry.red & 0xF8) << 8 | (entry.green & 0xFC) << 3 |
                                             entry.blue >> 3)
                : static_cast<std::uint32_t>(entry.blue | entry.green << 8 | entry.red << 16);
        std::memcpy(body.Palette + i * entry_bytes, &value, entry_bytes);
    }
    std::memcpy(body.PaletteCopy, body.Palette, 256 * entry_bytes);
}

// Derived data goes stale with every store; a store over the whole image rebuilds it.
void RefreshDerivedData(MEMIMG* image, int width, int height) {
    MemImgBody& body = *image->Body;
    body.PremulValid = 0;
    body.RunTableValid = 0;
    if (width != image->Width || height != image->Height ||
        (body.ColorType != 0 && body.ColorType != 1) || body.RunTable == nullptr) {
        return;
    }
    if (body.AlphaFlag != 0 && body.PremulStore != nullptr) {
        BuildMemImgPremulCopy(image);
    }
    BuildMemImgRunTable(image);
}

}  // namespace

int StoreGraphImageInMemImg(const GraphImage* source, const GraphImage* alpha, MEMIMG* image, int x,
                            int y, int width, int height, int dx, int dy,
                            int transparent_to_alpha) {
    if (TestMemImgValid(image) == 0 || !GraphImageHolds(*source, x, y, width, height) ||
        !RectInside(dx, dy, width, height, image->Width, image->Height) ||
        (alpha != nullptr && !GraphImageHolds(*alpha, x, y, width, height))) {
        return -1;
    }
    MemImgBody& body = *image->Body;
    const int pitch = body.Pitch;
    if (body.ColorType >= 2) {
        // The red channel rescaled into the single channel, as its alpha.
        ConvertPixelRect(image->Pixels, pitch, body.Format, source->pixels, source->pitch,
                         &source->format, nullptr, 0, nullptr, dx, dy, x, y, x + width, y + height,
                         0, 0, 0, 0, 1, 1, 0, 0);
    } else {
        const std::uint8_t* alpha_pixels = alpha != nullptr ? alpha->pixels : nullptr;
        const int alpha_pitch = alpha != nullptr ? alpha->pitch : 0;
        const PixelFormat* alpha_format = alpha != nullptr ? &alpha->format : nullptr;
        const int result = ConvertPixelRect(
            image->Pixels, pitch, body.Format, source->pixels, source->pitch, &source->format,
            alpha_pixels, alpha_pitch, alpha_format, dx, dy, x, y, x + width, y + height, 0,
            transparent_to_alpha, body.TransColor, 0, 0, 0, 0, 0);
        if (result < 0) {
            return result;
        }
        if (body.PaletteFlag != 0) {
            // An index copy reports the largest index it stored.
            if (alpha == nullptr) {
                body.PaletteCount = result + 1;
            }
            StorePalette(*source, body);
        }
    }
    RefreshDerivedData(image, width, height);
    return 0;
}

int StoreMemImgInGraphImage(GraphImage* target, const MEMIMG* image, int x, int y, int width,
                            int height, int dx, int dy, std::uint32_t transparent_colour,
                            int skip_transparent) {
    if (TestMemImgValid(image) == 0) {
        return -1;
    }
    const MemImgBody& body = *image->Body;
    if (body.ColorType >= 2 || body.PaletteFlag != 0 || body.AlphaFlag != 0 ||
        !RectInside(x, y, width, height, image->Width, image->Height) ||
        !GraphImageHolds(*target, dx, dy, width, height)) {
        return -1;
    }
    return ConvertPixelRect(target->pixels, target->pitch, &target->format, image->Pixels,
                            body.Pitch, body.Format, nullptr, 0, nullptr, dx, dy, x, y, x + width,
                            y + height, 0, 0, transparent_colour, 0, 0, 0, skip_transparent, 0);
}

int CopyMemImgRect(MEMIMG* destination, const MEMIMG* source, const Rect* source_rect, int x,
                   int y) {
    if (TestMemImgValid(destination) == 0 || TestMemImgValid(source) == 0) {
        return -1;
    }
    const Rect whole{0, 0, source->Width, source->Height};
    const Rect& rect = source_rect != nullptr ? *source_rect : whole;
    const std::int64_t width = std::int64_t{rect.right} - rect.left;
    const std::int64_t height = std::int64_t{rect.bottom} - rect.top;
    if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX ||
        !RectInside(rect.left, rect.top, static_cast<int>(width), static_cast<int>(height),
                    source->Width, source->Height) ||
        !RectInside(x, y, static_cast<int>(width), static_cast<int>(height), destination->Width,
                    destination->Height)) {
        return -1;
    }
    const int result = ConvertPixelRect(
        destination->Pixels, destination->Body->Pitch, destination->Body->Format, source->Pixels,
        source->Body->Pitch, source->Body->Format, nullptr, 0, nullptr, x, y, rect.left, rect.top,
        rect.right, rect.bottom, 0, 0, 0, 0, 0, 0, 0, 0);
    if (result >= 0) {
        destination->Body->PremulValid = 0;
        destination->Body->RunTableValid = 0;
    }
    return result;
}

}  // namespace layer
