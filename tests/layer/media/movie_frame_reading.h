#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "layer/media/movie_handles.h"
#include "tools/lib/movie_clip_writer.h"

namespace test {

inline std::string AsText(const std::vector<std::uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

// The frame number the movie's frame image shows, read through its pixel format's green mask.
inline int ShownFrame(const layer::MovieRecord& movie) {
    const layer::GraphImage& image = *movie.FrameImage;
    const layer::PixelFormat& format = image.format;
    return tools::ReadCountingPattern(image.width, [&](int x, int y) {
        std::uint32_t pixel = 0;
        std::memcpy(&pixel, image.pixels + y * image.pitch + x * format.bytes_per_pixel,
                    format.bytes_per_pixel);
        const std::uint32_t green = (pixel & format.green_mask) >> format.green_position;
        return static_cast<int>(green * 255 / ((1u << format.green_width) - 1));
    });
}

}  // namespace test
