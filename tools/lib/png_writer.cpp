#include "tools/lib/png_writer.h"

#include <png.h>

namespace tools {
namespace {

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void FlushNothing(png_structp) {}

}  // namespace

RgbaPicture PaintPicture(int width, int height, const std::function<RgbaColour(int, int)>& at) {
    RgbaPicture picture{width, height, {}};
    picture.pixels.reserve(static_cast<std::size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const RgbaColour colour = at(x, y);
            picture.pixels.insert(picture.pixels.end(), {colour.r, colour.g, colour.b, colour.a});
        }
    }
    return picture;
}

std::vector<std::uint8_t> EncodePng(const RgbaPicture& picture) {
    std::vector<std::uint8_t> out;
    const auto size = static_cast<std::size_t>(picture.width) * 4 * picture.height;
    if (picture.width <= 0 || picture.height <= 0 || picture.pixels.size() != size)
        return out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, AppendBytes, FlushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width),
                 static_cast<png_uint_32>(picture.height), 8, PNG_COLOR_TYPE_RGBA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < picture.height; ++y)
        png_write_row(png, picture.pixels.data() + static_cast<std::size_t>(y) * picture.width * 4);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

}  // namespace tools
