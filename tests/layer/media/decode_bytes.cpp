#include "tests/layer/media/decode_bytes.h"

#include "layer/core/stream_functions.h"
#include "layer/media/image_creation.h"
#include "layer/media/image_pixels.h"
#include "layer/media/pixel_bytes.h"

namespace test {

int DecodeBytes(const Bytes& bytes, layer::GraphImage* image, layer::ImageLoader loader) {
    layer::BoundStream stream{
        *layer::GetMemoryStreamFunctions(),
        layer::OpenMemoryStream(bytes.data(), static_cast<std::int64_t>(bytes.size()))};
    *image = layer::GraphImage{};
    const int result = loader(stream, image);
    layer::CloseMemoryStream(stream.stream);
    return result;
}

DecodedImage::DecodedImage(const Bytes& bytes, layer::ImageLoader loader)
    : result_(DecodeBytes(bytes, &image_, loader)) {}

DecodedImage::~DecodedImage() {
    layer::FreeGraphImage(&image_);
}

Rgba DecodedImage::at(int x, int y) {
    int red = 0, green = 0, blue = 0, alpha = 0;
    layer::FetchImagePixel(&image_, x, y, &red, &green, &blue, &alpha);
    return Rgba{static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                static_cast<std::uint8_t>(blue), static_cast<std::uint8_t>(alpha)};
}

std::uint32_t DecodedImage::value(int x, int y) const {
    return layer::LoadPixelValue(
        image_.pixels + y * image_.pitch + x * image_.format.bytes_per_pixel,
        image_.format.bytes_per_pixel);
}

}  // namespace test
