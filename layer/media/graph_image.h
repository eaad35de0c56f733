#pragma once

#include <cstdint>

#include "layer/media/pixel_format.h"

namespace layer {

// A picture in memory: a pixel layout, its size and the pixel block, which the image owns
// (allocated from tracked memory). Rows run top to bottom, `pitch` bytes apart.
struct GraphImage {
    PixelFormat format;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t pitch = 0;
    std::uint8_t* pixels = nullptr;
    // Mip levels held one after another in the pixel block; 0 for every producer but DDS.
    std::int32_t mip_level_count = 0;
};

}  // namespace layer
