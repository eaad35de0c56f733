#include <gtest/gtest.h>

#include "tests/layer/media/decode_bytes.h"
#include "tests/support/case_name.h"

namespace test {
namespace {

constexpr int kWidth = 3;
constexpr int kHeight = 2;

// Stored pixel i is (i * 10, 100 + i, 200 - i) in B, G, R byte order.
Bytes StoredPixels(int bytes_per_pixel) {
    Bytes out;
    for (int i = 0; i < kWidth * kHeight; ++i) {
        out.insert(out.end(),
                   {static_cast<std::uint8_t>(i * 10), static_cast<std::uint8_t>(100 + i),
                    static_cast<std::uint8_t>(200 - i)});
        if (bytes_per_pixel == 4) {
            out.push_back(static_cast<std::uint8_t>(50 + i));
        }
    }
    return out;
}

int StoredIndexAt(int x, int y, int descriptor) {
    const int row = (descriptor & 0x20) != 0 ? y : kHeight - 1 - y;
    const int column = (descriptor & 0x10) != 0 ? kWidth - 1 - x : x;
    return row * kWidth + column;
}

struct TgaCase {
    const char* name;
    int type;
    int depth;
    int descriptor;
    bool footer;
    int id_bytes;
};

class TgaVariants : public testing::TestWithParam<TgaCase> {};

TEST_P(TgaVariants, DecodeTopToBottomLeftToRight) {
    const TgaCase c = GetParam();
    const int bytes = c.depth / 8;
    TgaSpec recipe;
    recipe.image_type = c.type;
    recipe.width = kWidth;
    recipe.height = kHeight;
    recipe.descriptor = c.descriptor;
    recipe.footer = c.footer;
    recipe.id.assign(static_cast<std::size_t>(c.id_bytes), 0xEE);
    const Bytes pixels = StoredPixels(bytes);
    Bytes values = pixels;
    if (c.type == 1 || c.type == 9) {
        // The colour map holds the pixels at entries 2..7; index i + 2 names pixel i.
        recipe.colour_map_type = 1;
        recipe.map_first = 2;
        recipe.map_length = kWidth * kHeight;
        recipe.map_entry_bits = c.depth;
        recipe.pixel_bits = 8;
        recipe.colour_map = pixels;
        values.clear();
        for (int i = 0; i < kWidth * kHeight; ++i) {
            values.push_back(static_cast<std::uint8_t>(i + 2));
        }
    } else {
        recipe.pixel_bits = c.depth;
    }
    const int value_bytes = (c.type == 1 || c.type == 9) ? 1 : bytes;
    recipe.data = (c.type == 9 || c.type == 10) ? TgaPackets(values, value_bytes) : values;
    DecodedImage decoded(MakeTga(recipe), layer::DecodeTga);
    ASSERT_EQ(decoded.result(), 0) << c.name;
    EXPECT_EQ(decoded.image().pitch, kWidth * bytes);
    EXPECT_EQ(decoded.image().format.bits_per_pixel, c.depth);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const int i = StoredIndexAt(x, y, c.descriptor);
            std::uint32_t expected = 0;
            for (int b = bytes - 1; b >= 0; --b) {
                expected = expected << 8 | pixels[i * bytes + b];
            }
            EXPECT_EQ(decoded.value(x, y), expected) << c.name << " " << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    TypesAndOrders, TgaVariants,
    testing::Values(TgaCase{"true colour top-left", 2, 24, 0x20, false, 0},
                    TgaCase{"true colour bottom-left", 2, 24, 0x00, false, 0},
                    TgaCase{"true colour 32-bit mirrored", 2, 32, 0x10, false, 0},
                    TgaCase{"true colour 32-bit with id and footer", 2, 32, 0x20, true, 8},
                    TgaCase{"colour-mapped", 1, 24, 0x00, false, 0},
                    TgaCase{"colour-mapped 32-bit with id and footer", 1, 32, 0x20, true, 3},
                    TgaCase{"run-length colour-mapped mirrored with footer", 9, 24, 0x10, true, 0},
                    TgaCase{"run-length true colour 32-bit with id", 10, 32, 0x00, false, 8},
                    TgaCase{"run-length true colour with footer", 10, 24, 0x20, true, 0}),
    [](const auto& info) { return CaseName(info.param.name); });

TEST(TgaDecoder, SixteenBitsIsX1R5G5B5) {
    TgaSpec recipe;
    recipe.width = 1;
    recipe.height = 1;
    recipe.pixel_bits = 16;
    recipe.data = {0x1F, 0x7C};
    DecodedImage decoded(MakeTga(recipe), layer::DecodeTga);
    ASSERT_EQ(decoded.result(), 0);
    EXPECT_EQ(decoded.image().format.red_mask, 0x7C00u);
    EXPECT_EQ(decoded.image().format.unused_mask, 0x8000u);
    EXPECT_EQ(decoded.at(0, 0), (Rgba{255, 0, 255, 0}));
}

TEST(TgaDecoder, AcceptsTheLargestSide) {
    TgaSpec recipe;
    recipe.width = 8192;
    recipe.height = 1;
    recipe.data.assign(8192 * 3, 1);
    DecodedImage decoded(MakeTga(recipe), layer::DecodeTga);
    EXPECT_EQ(decoded.result(), 0);
}

TgaSpec Valid() {
    TgaSpec recipe;
    recipe.width = 2;
    recipe.height = 2;
    recipe.data.assign(12, 1);
    return recipe;
}

TEST(TgaDecoder, RefusesWhatItDoesNotTake) {
    struct Case {
        const char* name;
        TgaSpec recipe;
    };
    std::vector<Case> cases;
    auto add = [&](const char* name, auto change) {
        TgaSpec recipe = Valid();
        change(recipe);
        cases.push_back({name, recipe});
    };
    add("grey type 3", [](TgaSpec& s) { s.image_type = 3; });
    add("type 11", [](TgaSpec& s) { s.image_type = 11; });
    add("y origin 5", [](TgaSpec& s) { s.y_origin = 5; });
    add("8193 columns", [](TgaSpec& s) {
        s.width = 8193;
        s.height = 1;
        s.data.assign(8193 * 3, 1);
    });
    add("depth 8", [](TgaSpec& s) { s.pixel_bits = 8; });
    add("short pixels", [](TgaSpec& s) { s.data.resize(11); });
    add("map past entry 255", [](TgaSpec& s) {
        s.image_type = 1;
        s.colour_map_type = 1;
        s.map_first = 250;
        s.map_length = 7;
        s.map_entry_bits = 24;
        s.colour_map.assign(21, 0);
        s.pixel_bits = 8;
        s.data.assign(4, 250);
    });
    add("packet past the image", [](TgaSpec& s) {
        s.image_type = 10;
        s.data = {0x84, 1, 2, 3};
    });
    add("packet past the data", [](TgaSpec& s) {
        s.image_type = 10;
        s.data = {0x03, 1, 2, 3, 4, 5, 6};
    });
    for (const Case& c : cases) {
        layer::GraphImage image;
        EXPECT_EQ(DecodeBytes(MakeTga(c.recipe), &image, layer::DecodeTga), -1) << c.name;
    }
}

TEST(TgaDecoder, FooterCountsOnlyWithExtensionOffsetZero) {
    // A run-length file whose footer is not taken as one: its 26 bytes are read as packets,
    // and the picture ends before them, so it still decodes.
    TgaSpec recipe = Valid();
    recipe.image_type = 10;
    recipe.data = {0x83, 9, 8, 7};
    recipe.footer = true;
    recipe.extension_offset = 100;
    DecodedImage decoded(MakeTga(recipe), layer::DecodeTga);
    ASSERT_EQ(decoded.result(), 0);
    EXPECT_EQ(decoded.value(1, 1), 0x070809u);
}

}  // namespace
}  // namespace test
