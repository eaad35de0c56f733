#include "tests/layer/softrender/blit_test_support.h"

#include <cstring>
#include <stdexcept>

namespace layer::test_support {

Image::Image(int width, int height, int color_type, int palette_flag, int alpha_flag,
             std::uint32_t trans_color, int derived_buffers) {
    if (SetupMemImg(&image_, width, height, -1, trans_color, color_type, palette_flag, alpha_flag,
                    derived_buffers, nullptr) != 0) {
        throw std::runtime_error("SetupMemImg failed");
    }
    FillMemImgRaw(&image_, nullptr, 0);
}

std::uint32_t Image::Get(int x, int y) const {
    const int bytes = MemImgBytesPerPixel(image_);
    std::uint32_t value = 0;
    std::memcpy(&value, image_.Pixels + y * image_.Body->Pitch + x * bytes, bytes);
    return value;
}

void Image::Set(int x, int y, std::uint32_t value) {
    const int bytes = MemImgBytesPerPixel(image_);
    std::memcpy(image_.Pixels + y * image_.Body->Pitch + x * bytes, &value, bytes);
}

void Image::SetPaletteEntry(int index, std::uint32_t value) {
    const int bytes = image_.Body->ColorType == 1 ? 4 : 2;
    std::memcpy(image_.Body->Palette + index * bytes, &value, bytes);
}

std::vector<std::uint8_t> Image::Bytes() const {
    const std::uint8_t* store = image_.Body->PixelStore;
    return {store, store + static_cast<std::size_t>(image_.Body->Pitch) * image_.Body->Height};
}

void Image::FillRandom(std::mt19937& rng) {
    std::uint8_t* store = image_.Body->PixelStore;
    const std::size_t size = static_cast<std::size_t>(image_.Body->Pitch) * image_.Body->Height;
    for (std::size_t i = 0; i < size; ++i) {
        store[i] = static_cast<std::uint8_t>(rng());
    }
}

}  // namespace layer::test_support
