#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "layer/media/bitmap_info.h"
#include "tests/layer/media/decode_bytes.h"

namespace test {
namespace {

std::vector<Rgba> TestPalette(int count) {
    std::vector<Rgba> out;
    for (int i = 0; i < count; ++i) {
        out.push_back(Rgba{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                           static_cast<std::uint8_t>(i * 3), 0});
    }
    return out;
}

Rgba Rgb(int red, int green, int blue) {
    return Rgba{static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                static_cast<std::uint8_t>(blue), 0};
}

std::uint8_t Widen(std::uint32_t field, int width) {
    std::uint32_t out = 0;
    for (int filled = 0; filled < 8; filled += width) {
        out = out << width | field;
    }
    const int total = (8 + width - 1) / width * width;
    return static_cast<std::uint8_t>(out >> (total - 8));
}

struct DepthCase {
    int bits;
    int height;  // negative: top-down
    int expected_bytes_per_pixel;
};

class BmpDepths : public testing::TestWithParam<DepthCase> {};

// Every depth in both row orders gives the stored colours at the right places.
TEST_P(BmpDepths, DecodesColoursInImageOrder) {
    const DepthCase c = GetParam();
    const int width = 7;
    const int rows = c.height < 0 ? -c.height : c.height;
    BmpSpec recipe = BmpLayout(width, c.height, c.bits);
    std::vector<Rgba> expected;
    if (c.bits <= 8) {
        recipe.palette = TestPalette(1 << c.bits);
        std::vector<std::uint8_t> indices;
        for (int i = 0; i < width * rows; ++i) {
            indices.push_back(static_cast<std::uint8_t>((i * 5 + 1) % (1 << c.bits)));
            expected.push_back(recipe.palette[indices.back()]);
        }
        recipe.data = PackIndexRows(indices, width, c.height, c.bits);
    } else {
        std::vector<std::uint32_t> values;
        for (int i = 0; i < width * rows; ++i) {
            const std::uint32_t v = 0x9E3779B9u * static_cast<std::uint32_t>(i + 1);
            values.push_back(v);
            if (c.bits == 16) {
                expected.push_back(
                    Rgb(Widen((v >> 10) & 31, 5), Widen((v >> 5) & 31, 5), Widen(v & 31, 5)));
            } else {
                expected.push_back(Rgb((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF));
            }
        }
        recipe.data = PackValueRows(values, width, c.height, c.bits / 8);
    }
    DecodedImage decoded(MakeBmp(recipe), layer::DecodeBmp);
    ASSERT_EQ(decoded.result(), 0);
    EXPECT_EQ(decoded.image().width, width);
    EXPECT_EQ(decoded.image().height, rows);
    EXPECT_EQ(decoded.image().format.bytes_per_pixel, c.expected_bytes_per_pixel);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < width; ++x) {
            ASSERT_EQ(decoded.at(x, y), expected[y * width + x]) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllDepths, BmpDepths,
                         testing::Values(DepthCase{1, 3, 3}, DepthCase{1, -3, 3},
                                         DepthCase{2, 3, 3}, DepthCase{4, 3, 1},
                                         DepthCase{4, -3, 1}, DepthCase{8, 3, 1},
                                         DepthCase{8, -3, 1}, DepthCase{16, 3, 3},
                                         DepthCase{24, 3, 3}, DepthCase{24, -16, 3},
                                         DepthCase{32, 3, 3}, DepthCase{32, -3, 3}),
                         [](const auto& info) {
                             return "Bits" + std::to_string(info.param.bits) +
                                    (info.param.height < 0 ? "TopDown" : "BottomUp") +
                                    std::to_string(std::abs(info.param.height)) + "Rows";
                         });

TEST(BmpDecoder, PitchesFollowTheLayout) {
    BmpSpec recipe = BmpLayout(5, 2, 24);
    recipe.data = PackValueRows(std::vector<std::uint32_t>(10, 0x010203), 5, 2, 3);
    DecodedImage rgb(MakeBmp(recipe), layer::DecodeBmp);
    ASSERT_EQ(rgb.result(), 0);
    EXPECT_EQ(rgb.image().pitch, 16);

    recipe.bit_count = 4;
    recipe.palette = TestPalette(16);
    recipe.data = PackIndexRows(std::vector<std::uint8_t>(10, 3), 5, 2, 4);
    DecodedImage four(MakeBmp(recipe), layer::DecodeBmp);
    ASSERT_EQ(four.result(), 0);
    EXPECT_EQ(four.image().pitch, 8);
    EXPECT_EQ(four.value(4, 1), 3u);
}

TEST(BmpDecoder, ReadsAllPaletteEntriesWhateverTheUsedCount) {
    BmpSpec recipe = BmpLayout(2, 1, 8);
    recipe.palette = TestPalette(256);
    recipe.colours_used = 16;
    recipe.data = PackIndexRows({200, 16}, 2, 1, 8);
    DecodedImage decoded(MakeBmp(recipe), layer::DecodeBmp);
    ASSERT_EQ(decoded.result(), 0);
    EXPECT_EQ(decoded.at(0, 0), recipe.palette[200]);
    EXPECT_EQ(decoded.at(1, 0), recipe.palette[16]);
}

TEST(BmpDecoder, BitFieldsWidenByRepeatingBits) {
    BmpSpec recipe = BmpLayout(3, 1, 16, layer::kBitmapBitFields);
    recipe.write_masks = true;
    recipe.masks[0] = 0xF800;
    recipe.masks[1] = 0x7E0;
    recipe.masks[2] = 0x1F;
    recipe.data = PackValueRows({0xF800, 0x8410, 0x001F}, 3, 1, 2);
    DecodedImage decoded(MakeBmp(recipe), layer::DecodeBmp);
    ASSERT_EQ(decoded.result(), 0);
    EXPECT_EQ(decoded.image().format.bits_per_pixel, 24);
    EXPECT_EQ(decoded.at(0, 0), Rgb(255, 0, 0));
    EXPECT_EQ(decoded.at(1, 0), Rgb(132, 130, 132));
    EXPECT_EQ(decoded.at(2, 0), Rgb(0, 0, 255));
}

TEST(BmpDecoder, Rle8DeltaMovesRightAndToTheNextStoredRow) {
    BmpSpec recipe = BmpLayout(10, 2, 8, layer::kBitmapRle8);
    recipe.palette = TestPalette(256);
    // Five pixels of 4, then (0, 2, 3, 1): column 8 of the next stored row, which is the
    // upper image row of a bottom-up file.
    recipe.data = {5, 4, 0, 2, 3, 1, 2, 9, 0, 1};
    DecodedImage decoded(MakeBmp(recipe), layer::DecodeBmp);
    ASSERT_EQ(decoded.result(), 0);
    EXPECT_EQ(decoded.value(4, 1), 4u);
    EXPECT_EQ(decoded.value(5, 1), 0u);
    EXPECT_EQ(decoded.value(7, 0), 0u);
    EXPECT_EQ(decoded.value(8, 0), 9u);
    EXPECT_EQ(decoded.value(9, 0), 9u);
}

TEST(BmpDecoder, Rle8AbsoluteRunsSkipToEvenOffsets) {
    BmpSpec recipe = BmpLayout(6, -1, 8, layer::kBitmapRle8);
    recipe.palette = TestPalette(256);
    recipe.data = {0, 3, 7, 8, 9, 0, 3, 1, 0, 1};
    DecodedImage decoded(MakeBmp(recipe), layer::DecodeBmp);
    ASSERT_EQ(decoded.result(), 0);
    const std::uint32_t expected[] = {7, 8, 9, 1, 1, 1};
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(decoded.value(x, 0), expected[x]);
    }
}

TEST(BmpDecoder, Rle4AlternatesNibblesHighFirst) {
    BmpSpec recipe = BmpLayout(7, 1, 4, layer::kBitmapRle4);
    recipe.palette = TestPalette(16);
    recipe.data = {3, 0x12, 0, 3, 0xAB, 0xC0, 1, 0x50, 0, 1};
    DecodedImage decoded(MakeBmp(recipe), layer::DecodeBmp);
    ASSERT_EQ(decoded.result(), 0);
    const std::uint32_t expected[] = {1, 2, 1, 10, 11, 12, 5};
    for (int x = 0; x < 7; ++x) {
        EXPECT_EQ(decoded.value(x, 0), expected[x]);
    }
    EXPECT_EQ(decoded.image().format.palette[15].green, 240);
    EXPECT_EQ(decoded.image().format.palette[16].green, 0);
}

struct Refusal {
    const char* name;
    BmpSpec recipe;
};

BmpSpec Rle(int bits, std::uint32_t compression, Bytes data) {
    BmpSpec recipe = BmpLayout(4, 2, bits, compression);
    recipe.palette = TestPalette(1 << bits);
    recipe.data = std::move(data);
    return recipe;
}

BmpSpec Plain(int width, int height, int bits, std::uint32_t compression, std::size_t size) {
    BmpSpec recipe = BmpLayout(width, height, bits, compression);
    if (bits <= 8 && bits > 0) {
        recipe.palette = TestPalette(1 << bits);
    }
    recipe.data.assign(size, 0);
    return recipe;
}

TEST(BmpDecoder, RefusesDamagedAndUnknownLayouts) {
    const Refusal cases[] = {
        {"rle8 with 4 bits", Rle(4, layer::kBitmapRle8, {1, 1, 0, 1})},
        {"rle4 with 8 bits", Rle(8, layer::kBitmapRle4, {1, 1, 0, 1})},
        {"run past the row", Rle(8, layer::kBitmapRle8, {9, 1, 0, 1})},
        {"run below the last row", Rle(8, layer::kBitmapRle8, {0, 0, 0, 0, 1, 1, 0, 1})},
        {"delta out of the image", Rle(8, layer::kBitmapRle8, {0, 2, 0, 5, 1, 1, 0, 1})},
        {"absolute run past the data", Rle(8, layer::kBitmapRle8, {0, 4, 1, 2})},
        {"no end code", Rle(8, layer::kBitmapRle8, {2, 1})},
        {"unknown compression", Plain(2, 2, 24, 4, 16)},
        {"bit fields with 24 bits", Plain(2, 2, 24, layer::kBitmapBitFields, 16)},
        {"bit count 0", Plain(2, 2, 0, 0, 16)},
        {"bit count 64", Plain(1, 1, 64, 0, 8)},
        {"width 0", Plain(0, 2, 24, 0, 16)},
        {"height 0", Plain(2, 0, 24, 0, 16)},
        {"height 65536", Plain(1, 65536, 8, 0, 16)},
        {"rows shorter than their size", Plain(2, 2, 24, 0, 15)},
        {"16-bit rows short", Plain(3, 2, 16, 0, 11)},
    };
    for (const Refusal& c : cases) {
        layer::GraphImage image;
        EXPECT_EQ(DecodeBytes(MakeBmp(c.recipe), &image, layer::DecodeBmp), -1) << c.name;
        EXPECT_EQ(image.pixels, nullptr) << c.name;
    }
}

TEST(BmpDecoder, RefusesOtherSignatures) {
    Bytes bytes = MakeBmp(Plain(2, 2, 24, 0, 16));
    bytes[1] = 'A';
    layer::GraphImage image;
    EXPECT_EQ(DecodeBytes(bytes, &image, layer::DecodeBmp), -1);
}

}  // namespace
}  // namespace test
