#include "layer/softrender/memimg_runs.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "layer/softrender/memimg_surface_format.h"
#include "tests/layer/softrender/blit_test_support.h"

namespace layer {
namespace {

using test_support::Image;

std::vector<std::uint8_t> FirstRowRuns(const Image& image) {
    std::vector<std::uint8_t> bytes;
    const std::uint8_t* run = image.get()->Body->RunTable;
    do {
        bytes.push_back(*run);
    } while (*run++ != kRunRowEnd);
    return bytes;
}

TEST(MemImgRunsTest, OpaqueRowSplitsIntoRunsOfSixtyFour) {
    Image image(150, 2, 1, 0, 0, 0xFFFFFFFF, 1);
    FillMemImgRaw(image.get(), nullptr, 0x00102030);
    ASSERT_EQ(BuildMemImgRunTable(image.get()), 0);
    EXPECT_EQ(image.get()->Body->RunTableValid, 1);
    EXPECT_EQ(FirstRowRuns(image), (std::vector<std::uint8_t>{0x7F, 0x7F, 0x55, 0xC0}));
}

TEST(MemImgRunsTest, AlphaRowHasThreeClasses) {
    for (int color_type : {0, 1}) {
        Image image(6, 1, color_type, 0, 1, 0, 1);
        const int shift = color_type == 1 ? 24 : 16;
        const std::uint32_t alphas[] = {0, 0, 128, 255, 255, 255};
        for (int x = 0; x < 6; ++x) {
            image.Set(x, 0, alphas[x] << shift | 0x1234);
        }
        ASSERT_EQ(BuildMemImgRunTable(image.get()), 0);
        EXPECT_EQ(FirstRowRuns(image), (std::vector<std::uint8_t>{0x01, 0x80, 0x42, 0xC0}));
    }
}

TEST(MemImgRunsTest, PaletteRowComparesTheWholeTransparentColour) {
    Image keyed(6, 1, 1, 1, 0, 3, 1);
    Image unkeyed(6, 1, 1, 1, 0, 0x103, 1);
    for (int x = 0; x < 6; ++x) {
        keyed.Set(x, 0, x % 2 == 0 ? 3 : 7);
        unkeyed.Set(x, 0, x % 2 == 0 ? 3 : 7);
    }
    BuildMemImgRunTable(keyed.get());
    BuildMemImgRunTable(unkeyed.get());
    EXPECT_EQ(FirstRowRuns(keyed),
              (std::vector<std::uint8_t>{0x00, 0x40, 0x00, 0x40, 0x00, 0x40, 0xC0}));
    EXPECT_EQ(FirstRowRuns(unkeyed), (std::vector<std::uint8_t>{0x45, 0xC0}));
}

TEST(MemImgRunsTest, TheRowIndexFindsEveryRowsFirstRun) {
    // Rows of 2, 4 and 3 runs: runs hold at most 64 pixels.
    Image image(100, 3, 1, 0, 1, 0, 1);
    FillMemImgRaw(image.get(), nullptr, 0xFF000000);
    image.Set(10, 1, 0);
    image.Set(99, 2, 0x80000000);
    ASSERT_EQ(BuildMemImgRunTable(image.get()), 0);
    const MemImgBody& body = *image.get()->Body;
    EXPECT_EQ(MemImgRunRow(body, 0), body.RunTable);
    EXPECT_EQ(MemImgRunRow(body, 1), body.RunTable + 3);
    EXPECT_EQ(MemImgRunRow(body, 2), body.RunTable + 8);
    EXPECT_EQ(*MemImgRunRow(body, 2), 0x40 + 63);
}

// A fill after the table was built would otherwise leave runs that no longer describe the
// pixels, and the blit would skip or copy by them.
TEST(MemImgRunsTest, ARawFillKeepsAValidTableDescribingTheImage) {
    Image image(6, 2, 1, 0, 1, 0, 1);
    FillMemImgRaw(image.get(), nullptr, 0xFF000000);
    ASSERT_EQ(BuildMemImgRunTable(image.get()), 0);
    const Rect left{0, 0, 3, 2};
    FillMemImgRaw(image.get(), &left, 0);
    EXPECT_EQ(image.get()->Body->RunTableValid, 1);
    EXPECT_EQ(FirstRowRuns(image), (std::vector<std::uint8_t>{0x02, 0x42, 0xC0}));

    Image unbuilt(6, 1, 1, 0, 1, 0, 1);
    FillMemImgRaw(unbuilt.get(), nullptr, 0);
    EXPECT_EQ(unbuilt.get()->Body->RunTableValid, 0);
}

TEST(MemImgRunsTest, NothingToBuildWithoutDerivedBuffers) {
    Image plain(4, 4, 1);
    EXPECT_EQ(BuildMemImgRunTable(plain.get()), -1);
    EXPECT_EQ(BuildMemImgPremulCopy(plain.get()), -1);
    EXPECT_EQ(plain.get()->Body->RunTableValid, 0);
}

TEST(MemImgRunsTest, PremultipliedCopy) {
    Image wide(1, 1, 1, 0, 1, 0, 1);
    wide.Set(0, 0, 0x80C86432);  // alpha 128, R 200, G 100, B 50
    ASSERT_EQ(BuildMemImgPremulCopy(wide.get()), 0);
    EXPECT_EQ(wide.get()->Body->PremulValid, 1);
    const std::uint8_t* premul = wide.get()->Premul;
    EXPECT_EQ(std::vector<int>(premul, premul + 4), (std::vector<int>{25, 50, 100, 128}));

    Image narrow(1, 1, 0, 0, 1, 0, 1);
    narrow.Set(0, 0, 0xFF80FFFF);  // alpha 128, r 31, g 63, b 31, spare byte set
    ASSERT_EQ(BuildMemImgPremulCopy(narrow.get()), 0);
    std::uint32_t value = 0;
    std::memcpy(&value, narrow.get()->Premul, 4);
    EXPECT_EQ(value, 0x00800000u | 15u << 11 | 31u << 5 | 15u);
}

TEST(MemImgSurfaceFormatTest, RecordsFollowTheStaticFormats) {
    const DdPixelFormat* screen32 = GetMemImgSurfaceFormat(1, 0, 0);
    ASSERT_NE(screen32, nullptr);
    EXPECT_EQ(screen32->size, 32u);
    EXPECT_EQ(screen32->flags, kDdPixelFormatRgb);
    EXPECT_EQ(screen32->rgb_bit_count, 32u);
    EXPECT_EQ(screen32->red_mask, 0xFF0000u);
    EXPECT_EQ(screen32->alpha_mask, 0u);
    const DdPixelFormat* alpha16 = GetMemImgSurfaceFormat(0, 1, 0);
    EXPECT_EQ(alpha16->flags, kDdPixelFormatRgb);
    EXPECT_EQ(alpha16->rgb_bit_count, 32u);
    EXPECT_EQ(alpha16->green_mask, 0x07E0u);
    EXPECT_EQ(alpha16->alpha_mask, 0xFF0000u);
    EXPECT_EQ(GetMemImgSurfaceFormat(0, 0, 1)->rgb_bit_count, 8u);
    EXPECT_EQ(GetMemImgSurfaceFormat(2, 0, 0)->alpha_mask, 0xFFu);
    EXPECT_EQ(GetMemImgSurfaceFormat(3, 0, 0)->rgb_bit_count, 16u);
    EXPECT_EQ(GetMemImgSurfaceFormat(3, 0, 0)->red_mask, 0xFFFFu);
    EXPECT_EQ(GetMemImgSurfaceFormat(5, 0, 0), nullptr);
    EXPECT_EQ(GetMemImgSurfaceFormat(1, 0, 0), screen32);
}

}  // namespace
}  // namespace layer
