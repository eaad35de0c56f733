#pragma once

#include <cstdint>

namespace layer {

// The 32-byte pixel-format record of the surface stand-in, in the order the layer fills it.
struct DdPixelFormat {
    std::uint32_t size = 0;
    std::uint32_t flags = 0;
    std::uint32_t four_cc = 0;
    std::uint32_t rgb_bit_count = 0;
    std::uint32_t red_mask = 0;
    std::uint32_t green_mask = 0;
    std::uint32_t blue_mask = 0;
    std::uint32_t alpha_mask = 0;
};
static_assert(sizeof(DdPixelFormat) == 32);

// `flags` bit: the masks describe an RGB layout.
constexpr std::uint32_t kDdPixelFormatRgb = 0x40;

}  // namespace layer
