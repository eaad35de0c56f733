#include "layer/media/pixel_format.h"

#include <gtest/gtest.h>

namespace layer {
namespace {

TEST(FillFormatFromMasksTest, DerivesWidthsPositionsAndUnusedBits) {
    PixelFormat format;
    format.compression = 3;
    format.palette[5].red = 9;
    EXPECT_EQ(FillFormatFromMasks(&format, 16, 0x7C00, 0x3E0, 0x1F, 0), 0);
    EXPECT_EQ(format.bytes_per_pixel, 2);
    EXPECT_EQ(format.compression, 0);
    EXPECT_EQ(format.red_width, 5);
    EXPECT_EQ(format.green_width, 5);
    EXPECT_EQ(format.blue_width, 5);
    EXPECT_EQ(format.alpha_width, 0);
    EXPECT_EQ(format.red_position, 10);
    EXPECT_EQ(format.green_position, 5);
    EXPECT_EQ(format.blue_position, 0);
    EXPECT_EQ(format.alpha_position, 0);
    EXPECT_EQ(format.unused_mask, 0x8000u);
    EXPECT_EQ(format.unused_position, 15);
    EXPECT_EQ(format.unused_width, 1);
    EXPECT_EQ(format.palette[5].red, 9);
}

TEST(FillFormatFromMasksTest, FullDepthsLeaveNoUnusedBits) {
    PixelFormat format;
    FillFormatFromMasks(&format, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
    EXPECT_EQ(format.unused_mask, 0u);
    EXPECT_EQ(format.unused_width, 0);
    EXPECT_EQ(format.alpha_position, 24);
    EXPECT_EQ(format.alpha_width, 8);
    FillFormatFromMasks(&format, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    EXPECT_EQ(format.unused_mask, 0xFF000000u);
    EXPECT_EQ(format.unused_position, 24);
    EXPECT_EQ(format.unused_width, 8);
}

}  // namespace
}  // namespace layer
