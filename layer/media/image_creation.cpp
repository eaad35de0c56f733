#include "layer/media/image_creation.h"

#include <cstdint>

#include "layer/core/tracked_memory.h"
#include "layer/media/pixel_format_presets.h"

namespace layer {

namespace {

int CreateImage(int (*fill_format)(PixelFormat*), int width, int height, GraphImage* image) {
    fill_format(&image->format);
    image->width = width;
    image->height = height;
    image->mip_level_count = 0;
    image->pixels = nullptr;
    if (width < 1 || height < 1 || width > kMaxImageSide || height > kMaxImageSide) {
        image->pitch = 0;
        return -1;
    }
    image->pitch = (width * image->format.bytes_per_pixel + 3) & ~3;
    const std::size_t size = static_cast<std::size_t>(image->pitch) * height;
    image->pixels = static_cast<std::uint8_t*>(AllocTracked(size, __FILE__, __LINE__));
    return image->pixels != nullptr ? 0 : -1;
}

}  // namespace

int CreateArgb32Image(int width, int height, GraphImage* image) {
    return CreateImage(FillArgb32Format, width, height, image);
}

int CreateXrgb32Image(int width, int height, GraphImage* image) {
    return CreateImage(FillXrgb32Format, width, height, image);
}

int CreateRgb24Image(int width, int height, GraphImage* image) {
    return CreateImage(FillRgb24Format, width, height, image);
}

int FreeGraphImage(GraphImage* image) {
    FreeTracked(image->pixels);
    *image = GraphImage{};
    return 0;
}

}  // namespace layer
