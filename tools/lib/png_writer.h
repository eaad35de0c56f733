#pragma once

#include <cstdint>
#include <vector>

namespace tools {

// An 8-bit RGBA picture, rows top to bottom.
struct RgbaPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

// The picture as a PNG file image; empty when it cannot be encoded.
std::vector<std::uint8_t> EncodePng(const RgbaPicture& picture);

}  // namespace tools
