#pragma once

// Whole pixels of a masked format to and from 0x00RRGGBB with the channel arithmetic of
// pixel_fields.h worked out once per format, for loops over many pixels.

#include <array>
#include <cstdint>

#include "platform/dd_pixel_format.h"

namespace platform {

// Whether the masks are those of X8R8G8B8, whose pixels the converters pass through with X
// cleared.
bool IsX8R8G8B8(const layer::DdPixelFormat& format);

// Reads pixels as PixelToXrgb does.
class XrgbReader {
  public:
    explicit XrgbReader(const layer::DdPixelFormat& format);

    std::uint32_t operator()(std::uint32_t pixel) const {
        if (plain_) {
            return pixel & 0xFFFFFF;
        }
        return red_.Expand(pixel) << 16 | green_.Expand(pixel) << 8 | blue_.Expand(pixel);
    }

  private:
    struct Channel {
        std::uint32_t mask = 0;
        int shift = 0;
        std::uint32_t maximum = 0;
        // The widened values of channels of up to 8 bits.
        bool tabled = false;
        std::array<std::uint8_t, 256> table{};

        explicit Channel(std::uint32_t channel_mask);
        std::uint32_t Expand(std::uint32_t pixel) const {
            const std::uint32_t value = (pixel & mask) >> shift;
            if (tabled) {
                return table[value];
            }
            return value * 255 / maximum;
        }
    };

    Channel red_;
    Channel green_;
    Channel blue_;
    // X8R8G8B8: the pixel itself without its top byte.
    bool plain_ = false;
};

// Writes pixels as XrgbToPixel does.
class XrgbWriter {
  public:
    explicit XrgbWriter(const layer::DdPixelFormat& format);

    std::uint32_t operator()(std::uint32_t xrgb) const {
        if (plain_) {
            return xrgb & 0xFFFFFF;
        }
        return red_.Pack(xrgb >> 16 & 0xFF) | green_.Pack(xrgb >> 8 & 0xFF) |
               blue_.Pack(xrgb & 0xFF);
    }

  private:
    struct Channel {
        std::uint32_t mask = 0;
        int shift = 0;
        // Bits dropped from a component of 8 bits, or added to it for wider channels.
        int drop = 0;
        int widen = 0;

        explicit Channel(std::uint32_t channel_mask);
        std::uint32_t Pack(std::uint32_t component) const {
            return (component >> drop << widen) << shift & mask;
        }
    };

    Channel red_;
    Channel green_;
    Channel blue_;
    // X8R8G8B8: the colour itself.
    bool plain_ = false;
};

}  // namespace platform
