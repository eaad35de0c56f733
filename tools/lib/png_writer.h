#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace tools {

// An 8-bit RGBA picture, rows top to bottom.
struct RgbaPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

// One pixel: red, green, blue and alpha.
struct RgbaColour {
    std::uint8_t r, g, b, a;
};

// A picture whose every pixel the function gives.
RgbaPicture PaintPicture(int width, int height, const std::function<RgbaColour(int, int)>& at);

// The picture as a PNG file image; empty when it cannot be encoded.
std::vector<std::uint8_t> EncodePng(const RgbaPicture& picture);

}  // namespace tools
