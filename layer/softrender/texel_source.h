#pragma once

#include <cstdint>

#include "layer/softrender/pixel_access.h"
#include "layer/softrender/pixel_layout.h"
#include "layer/softrender/textured_context.h"

namespace layer {

// The four source variants: how a texel is fetched, what its colour and alpha are. The
// stored value is what the transparency test compares: the whole texel, or the index.

struct SourceDirect32 {
    using Layout = Layout32;
    static constexpr bool kPalette = false;
    template <bool kAlpha>
    static std::uint32_t Fetch(const TexturedContext& c, int column, int row) {
        return LoadPixel<std::uint32_t>(c.source_pixels + row * c.source_pitch + column * 4);
    }
    static std::uint32_t Colour(const TexturedContext&, std::uint32_t stored) { return stored; }
    static std::uint32_t Alpha(std::uint32_t stored) { return stored >> 24; }
};

// With the alpha flag a texel takes 4 bytes: the colour in bytes 0 and 1, alpha in byte 2.
struct SourceDirect16 {
    using Layout = Layout16;
    static constexpr bool kPalette = false;
    template <bool kAlpha>
    static std::uint32_t Fetch(const TexturedContext& c, int column, int row) {
        const std::uint8_t* line = c.source_pixels + row * c.source_pitch;
        if constexpr (kAlpha) {
            return LoadPixel<std::uint32_t>(line + column * 4);
        } else {
            return LoadPixel<std::uint16_t>(line + column * 2);
        }
    }
    static std::uint32_t Colour(const TexturedContext&, std::uint32_t stored) {
        return stored & 0xFFFF;
    }
    static std::uint32_t Alpha(std::uint32_t stored) { return (stored >> 16) & 0xFF; }
};

struct SourcePalette32 {
    using Layout = Layout32;
    static constexpr bool kPalette = true;
    template <bool kAlpha>
    static std::uint32_t Fetch(const TexturedContext& c, int column, int row) {
        return c.source_pixels[row * c.source_pitch + column];
    }
    static std::uint32_t Colour(const TexturedContext& c, std::uint32_t index) {
        return LoadPixel<std::uint32_t>(c.palette + index * 4);
    }
    static std::uint32_t Alpha(std::uint32_t) { return 255; }
};

struct SourcePalette16 {
    using Layout = Layout16;
    static constexpr bool kPalette = true;
    template <bool kAlpha>
    static std::uint32_t Fetch(const TexturedContext& c, int column, int row) {
        return c.source_pixels[row * c.source_pitch + column];
    }
    static std::uint32_t Colour(const TexturedContext& c, std::uint32_t index) {
        return LoadPixel<std::uint16_t>(c.palette + index * 2);
    }
    static std::uint32_t Alpha(std::uint32_t) { return 255; }
};

}  // namespace layer
