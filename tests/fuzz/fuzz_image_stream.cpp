// Bytes through a memory stream into the image decoders; every decoded pixel is read back.
#include <cstdint>

#include "layer/core/stream_functions.h"
#include "layer/media/image_creation.h"
#include "layer/media/image_loaders.h"
#include "layer/media/image_pixels.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const layer::StreamValue stream =
        layer::OpenMemoryStream(data, static_cast<std::int64_t>(size));
    const layer::BoundStream bound{*layer::GetMemoryStreamFunctions(), stream};
    layer::GraphImage image;
    if (layer::DecodeImageFromStream(bound, &image) == 0) {
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                layer::FetchImagePixel(&image, x, y, nullptr, nullptr, nullptr, nullptr);
            }
        }
    }
    layer::FreeGraphImage(&image);
    layer::CloseMemoryStream(stream);
    return 0;
}
