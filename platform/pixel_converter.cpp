#include "platform/pixel_converter.h"

#include <bit>

namespace platform {

bool IsX8R8G8B8(const layer::DdPixelFormat& format) {
    return format.red_mask == 0xFF0000 && format.green_mask == 0x00FF00 &&
           format.blue_mask == 0x0000FF;
}

XrgbReader::Channel::Channel(std::uint32_t channel_mask) : mask(channel_mask) {
    if (mask == 0) {
        tabled = true;
        return;
    }
    shift = std::countr_zero(mask);
    maximum = mask >> shift;
    tabled = maximum <= 0xFF;
    if (tabled) {
        for (std::uint32_t value = 0; value <= maximum; ++value) {
            table[value] = static_cast<std::uint8_t>(value * 255 / maximum);
        }
    }
}

XrgbReader::XrgbReader(const layer::DdPixelFormat& format)
    : red_(format.red_mask),
      green_(format.green_mask),
      blue_(format.blue_mask),
      plain_(IsX8R8G8B8(format)) {}

XrgbWriter::Channel::Channel(std::uint32_t channel_mask) : mask(channel_mask) {
    if (mask == 0) {
        return;
    }
    shift = std::countr_zero(mask);
    const int width = std::popcount(mask);
    drop = width < 8 ? 8 - width : 0;
    widen = width > 8 ? width - 8 : 0;
}

XrgbWriter::XrgbWriter(const layer::DdPixelFormat& format)
    : red_(format.red_mask),
      green_(format.green_mask),
      blue_(format.blue_mask),
      plain_(IsX8R8G8B8(format)) {}

}  // namespace platform
