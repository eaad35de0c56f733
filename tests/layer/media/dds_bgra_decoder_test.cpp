#include <gtest/gtest.h>

#include "tests/layer/media/decode_bytes.h"

namespace test {
namespace {

TEST(BgraDecoder, EightBitChannelsAreStoredAsRead) {
    const Picture picture = SamplePicture(3, 2);
    DecodedImage decoded(MakeBgra8(picture), layer::DecodeBgra);
    ASSERT_EQ(decoded.result(), 0);
    EXPECT_EQ(decoded.image().pitch, 12);
    EXPECT_EQ(decoded.image().format.alpha_mask, 0xFF000000u);
    EXPECT_EQ(decoded.at(2, 1), picture.at(2, 1));
}

TEST(BgraDecoder, SixteenBitChannelsKeepTheirHighBytes) {
    DecodedImage decoded(MakeBgra16(1, 1, {0x1234, 0x5678, 0x9ABC, 0xDEF0}), layer::DecodeBgra);
    ASSERT_EQ(decoded.result(), 0);
    EXPECT_EQ(decoded.value(0, 0), 0xDE9A5612u);
}

TEST(BgraDecoder, RefusesBadHeadersAndShortPixels) {
    Bytes wrong_widths = MakeBgra8(SamplePicture(2, 2));
    wrong_widths[4] = 0x07;
    Bytes huge = MakeBgra8(SamplePicture(1, 1));
    huge[10] = 0x01;  // width 65536 + 1
    const Bytes cases[] = {wrong_widths, huge, Truncated(MakeBgra8(SamplePicture(2, 2)), 31),
                           Truncated(MakeBgra16(2, 1, std::vector<std::uint16_t>(8, 1)), 30)};
    for (const Bytes& bytes : cases) {
        layer::GraphImage image;
        EXPECT_EQ(DecodeBytes(bytes, &image, layer::DecodeBgra), -1);
    }
}

DdsSpec DxtSpec(const char* four_cc, int width, int height, Bytes data) {
    DdsSpec recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.format_flags = 0x4;
    recipe.four_cc = FourCc(four_cc);
    recipe.data = std::move(data);
    return recipe;
}

const std::vector<int> kIndices = {0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3};

TEST(DdsDecoder, Dxt3LoadsAsArgb) {
    Bytes data = {0x10, 0x32, 0x54, 0x76, 0x98, 0xBA, 0xDC, 0xFE};
    const Bytes colour = DxtColourBlock(0xF800, 0x001F, kIndices);
    data.insert(data.end(), colour.begin(), colour.end());
    DecodedImage decoded(MakeDds(DxtSpec("DXT3", 4, 4, data)), layer::DecodeDds);
    ASSERT_EQ(decoded.result(), 0);
    EXPECT_EQ(decoded.image().format.bits_per_pixel, 32);
    EXPECT_EQ(decoded.image().format.compression, 0);
    EXPECT_EQ(decoded.image().pitch, 16);
    // Pixel 0: alpha nibble 0, colour 0 (red); pixel 1: alpha 1 x 17, colour 1 (blue).
    EXPECT_EQ(decoded.value(0, 0), 0x00FF0000u);
    EXPECT_EQ(decoded.value(1, 0), 0x110000FFu);
    // Pixel 15: alpha 0xF, colour 3 = (red + 2 x blue) / 3.
    EXPECT_EQ(decoded.value(3, 3), 0xFF5500AAu);
}

TEST(DdsDecoder, RefusesTwoByTwoDxt1WithoutWholeBlocks) {
    layer::GraphImage image;
    EXPECT_EQ(DecodeBytes(MakeDds(DxtSpec("DXT1", 2, 2, Bytes(8, 0))), &image, layer::DecodeDds),
              -1);
}

TEST(DdsDecoder, MipLevelsAreReadWhenFlagsAndCapsSayTheyExist) {
    DdsSpec recipe = DxtSpec("DXT1", 8, 8, Bytes(4 * 8 + 8 + 8, 0x33));
    recipe.flags |= 0x20000;
    recipe.caps = 0x401008;
    recipe.mip_count = 3;
    DecodedImage decoded(MakeDds(recipe), layer::DecodeDds);
    ASSERT_EQ(decoded.result(), 0);
    EXPECT_EQ(decoded.image().mip_level_count, 3);

    recipe.data.resize(4 * 8 + 8 + 7);
    layer::GraphImage image;
    EXPECT_EQ(DecodeBytes(MakeDds(recipe), &image, layer::DecodeDds), -1);
}

DdsSpec MaskSpec(std::uint32_t flags, std::uint32_t bits) {
    DdsSpec recipe;
    recipe.width = 2;
    recipe.height = 1;
    recipe.format_flags = flags;
    recipe.rgb_bits = bits;
    recipe.masks[0] = 0xFF0000;
    recipe.masks[1] = 0xFF00;
    recipe.masks[2] = 0xFF;
    recipe.masks[3] = 0xFF000000;
    recipe.data = {1, 2, 3, 4, 5, 6, 7, 8};
    return recipe;
}

TEST(DdsDecoder, MaskLayoutsNeedTheAlphaFlagWhenRgb) {
    DecodedImage with_alpha(MakeDds(MaskSpec(0x41, 32)), layer::DecodeDds);
    ASSERT_EQ(with_alpha.result(), 0);
    EXPECT_EQ(with_alpha.value(1, 0), 0x08070605u);
    EXPECT_EQ(with_alpha.image().format.alpha_width, 8);

    const DdsSpec refused[] = {MaskSpec(0x40, 32), MaskSpec(0x41, 0), MaskSpec(0x41, 12),
                               MaskSpec(0x41, 64)};
    for (const DdsSpec& recipe : refused) {
        layer::GraphImage image;
        EXPECT_EQ(DecodeBytes(MakeDds(recipe), &image, layer::DecodeDds), -1)
            << recipe.format_flags << " " << recipe.rgb_bits;
    }
}

TEST(DdsDecoder, NumberedLayoutWithPitchGives565) {
    DdsSpec recipe;
    recipe.flags = 0x100F;
    recipe.width = 2;
    recipe.height = 2;
    recipe.pitch = 6;
    recipe.format_flags = 0x4;
    recipe.four_cc = 23;
    recipe.data = {0x00, 0xF8, 0x1F, 0x00, 0xAA, 0xAA, 0xE0, 0x07, 0xFF, 0xFF, 0xAA, 0xAA};
    DecodedImage decoded(MakeDds(recipe), layer::DecodeDds);
    ASSERT_EQ(decoded.result(), 0);
    EXPECT_EQ(decoded.image().format.green_mask, 0x7E0u);
    EXPECT_EQ(decoded.image().format.blue_mask, 0x1Fu);
    EXPECT_EQ(decoded.image().pitch, 6);
    EXPECT_EQ(decoded.value(1, 0), 0x001Fu);
    EXPECT_EQ(decoded.value(0, 1), 0x07E0u);

    recipe.four_cc = 28;
    layer::GraphImage image;
    EXPECT_EQ(DecodeBytes(MakeDds(recipe), &image, layer::DecodeDds), -1);
}

}  // namespace
}  // namespace test
