#include "platform/pixel_converter.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/pixel_fields.h"

namespace {

using platform::XrgbReader;
using platform::XrgbWriter;

layer::DdPixelFormat Masks(std::uint32_t bits, std::uint32_t red, std::uint32_t green,
                           std::uint32_t blue) {
    return {32, layer::kDdPixelFormatRgb, 0, bits, red, green, blue, 0};
}

const layer::DdPixelFormat kFormats[] = {
    Masks(16, 0xF800, 0x07E0, 0x001F),
    Masks(16, 0x7C00, 0x03E0, 0x001F),
    Masks(32, 0xFF0000, 0x00FF00, 0x0000FF),
    Masks(32, 0x0000FF, 0x00FF00, 0xFF0000),
    Masks(32, 0x3FF00000, 0x000FFC00, 0x000003FF),
    Masks(16, 0xF800, 0, 0x001F),
};

// Pixels covering every 16-bit value and a spread of 32-bit ones, top bytes included.
std::uint32_t SamplePixel(std::uint32_t i) {
    return i < 0x10000 ? i : i * 2654435761u;
}

TEST(PixelConverter, ReaderAgreesWithTheChannelArithmetic) {
    for (const layer::DdPixelFormat& format : kFormats) {
        const XrgbReader read(format);
        for (std::uint32_t i = 0; i < 0x20000; ++i) {
            const std::uint32_t pixel = SamplePixel(i);
            ASSERT_EQ(read(pixel), platform::PixelToXrgb(format, pixel))
                << std::hex << format.red_mask << " " << pixel;
        }
    }
}

TEST(PixelConverter, WriterAgreesWithTheChannelArithmeticUpToEightBitChannels) {
    for (const layer::DdPixelFormat& format : kFormats) {
        if (format.red_mask == 0x3FF00000) {
            continue;
        }
        const XrgbWriter write(format);
        for (std::uint32_t i = 0; i < 0x20000; ++i) {
            const std::uint32_t xrgb = SamplePixel(i) & 0xFFFFFF;
            ASSERT_EQ(write(xrgb), platform::XrgbToPixel(format, xrgb))
                << std::hex << format.red_mask << " " << xrgb;
        }
    }
}

TEST(PixelConverter, TopByteOfX8R8G8B8IsDropped) {
    const layer::DdPixelFormat format = Masks(32, 0xFF0000, 0x00FF00, 0x0000FF);
    EXPECT_EQ(XrgbReader(format)(0xAB123456), 0x123456u);
    EXPECT_EQ(XrgbWriter(format)(0xAB123456), 0x123456u);
}

TEST(PixelConverter, WiderChannelsKeepTheComponentInTheirTopBits) {
    const XrgbWriter write(Masks(32, 0x3FF00000, 0x000FFC00, 0x000003FF));
    EXPECT_EQ(write(0xFF0000), 0x3FC00000u);
    EXPECT_EQ(write(0x000080), 0x00000200u);
}

}  // namespace
