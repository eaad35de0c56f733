// An image block and an alpha block through LoadImageWithAlpha with mirroring. The input is
// the image block's size (4 bytes, little-endian), the image block, then the alpha block.
#include <cstdint>

#include "layer/media/image_creation.h"
#include "layer/media/image_loading.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) {
        return 0;
    }
    std::size_t image_size = static_cast<std::size_t>(data[0]) | data[1] << 8 | data[2] << 16;
    if (image_size > size - 4) {
        image_size = size - 4;
    }
    const std::uint8_t* image_bytes = data + 4;
    const std::uint8_t* alpha_bytes = image_bytes + image_size;
    const std::size_t alpha_size = size - 4 - image_size;
    layer::GraphImage image;
    layer::GraphImage alpha;
    layer::LoadImageWithAlpha(nullptr, image_bytes, static_cast<int>(image_size), 1, alpha_bytes,
                              static_cast<int>(alpha_size), 1, &image, &alpha, data[3] & 1);
    layer::FreeGraphImage(&image);
    layer::FreeGraphImage(&alpha);
    return 0;
}
