#pragma once

#include <cstdint>
#include <type_traits>

#include "layer/media/pixel_format.h"

namespace layer {

// A picture in memory: a pixel layout, its size and the pixel block, which the image owns
// (allocated from tracked memory and given back with FreeGraphImage). Rows run top to bottom,
// `pitch` bytes apart. The record is move-only, so that one pixel block never has two owners:
// a move hands the block over and leaves the source empty.
struct GraphImage {
    PixelFormat format;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t pitch = 0;
    std::uint8_t* pixels = nullptr;
    // Mip levels held one after another in the pixel block; 0 for every producer but DDS.
    std::int32_t mip_level_count = 0;

    GraphImage() = default;
    GraphImage(GraphImage&& other) noexcept { TakeFrom(other); }
    GraphImage& operator=(GraphImage&& other) noexcept {
        if (this != &other) {
            TakeFrom(other);
        }
        return *this;
    }
    GraphImage(const GraphImage&) = delete;
    GraphImage& operator=(const GraphImage&) = delete;

  private:
    void TakeFrom(GraphImage& other) {
        format = other.format;
        width = other.width;
        height = other.height;
        pitch = other.pitch;
        pixels = other.pixels;
        mip_level_count = other.mip_level_count;
        other.format = PixelFormat{};
        other.width = other.height = other.pitch = other.mip_level_count = 0;
        other.pixels = nullptr;
    }
};
static_assert(std::is_standard_layout_v<GraphImage>);

}  // namespace layer
