#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "layer/core/tracked_memory.h"
#include "layer/media/bitmap_info.h"
#include "layer/media/image_creation.h"
#include "layer/media/image_loaders.h"
#include "tests/layer/media/decode_bytes.h"

namespace test {
namespace {

void PutBigEndian(Bytes* bytes, std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        (*bytes)[at + i] = static_cast<std::uint8_t>(value >> (8 * (size - 1 - i)));
    }
}

// A run-length BMP that declares its size and holds only the end-of-image code.
Bytes RleBmp(int width, int height, int bits) {
    BmpSpec recipe =
        BmpLayout(width, height, bits, bits == 4 ? layer::kBitmapRle4 : layer::kBitmapRle8);
    recipe.palette.assign(std::size_t{1} << bits, Rgba{});
    recipe.data = {0, 1};
    return MakeBmp(recipe);
}

// A one-pixel grey JPEG whose frame header declares another size; the library finishes the
// missing data with grey.
Bytes GreyJpegDeclaring(int width, int height) {
    Bytes bytes = MakeJpeg(8, 8, 1, Bytes(64, 0x80));
    const std::uint8_t frame[] = {0xFF, 0xC0};
    const auto at = std::search(bytes.begin(), bytes.end(), std::begin(frame), std::end(frame));
    const auto offset = static_cast<std::size_t>(at - bytes.begin());
    PutBigEndian(&bytes, offset + 5, static_cast<std::uint32_t>(height), 2);
    PutBigEndian(&bytes, offset + 7, static_cast<std::uint32_t>(width), 2);
    return bytes;
}

// An 8-bit palette PNG whose header declares another size (its check renewed).
Bytes PalettePngDeclaring(int width, int height) {
    PngSpec recipe = PngLayout(1, 1, 8, 3);
    recipe.palette = {Rgba{}};
    recipe.rows = {0};
    Bytes bytes = MakePng(recipe);
    PutBigEndian(&bytes, 16, static_cast<std::uint32_t>(width), 4);
    PutBigEndian(&bytes, 20, static_cast<std::uint32_t>(height), 4);
    PutBigEndian(&bytes, 29, static_cast<std::uint32_t>(crc32(0, bytes.data() + 12, 17)), 4);
    return bytes;
}

Bytes DxtDdsOf(int width, int height) {
    DdsSpec recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.format_flags = 0x4;
    recipe.four_cc = FourCc("DXT1");
    return MakeDds(recipe);
}

Bytes BgraOf(std::uint32_t width, std::uint32_t height) {
    Bytes bytes = MakeBgra8(SamplePicture(1, 1));
    for (int i = 0; i < 4; ++i) {
        bytes[8 + i] = static_cast<std::uint8_t>(width >> (8 * i));
        bytes[12 + i] = static_cast<std::uint8_t>(height >> (8 * i));
    }
    return bytes;
}

Bytes TgaOf(int width, int height) {
    TgaSpec recipe;
    recipe.image_type = 10;
    recipe.width = width;
    recipe.height = height;
    recipe.data = {0xFF, 0, 0, 0};
    return MakeTga(recipe);
}

TEST(DecodeBudget, IsTakenOnEachSideAndOnTheImageAt32Bits) {
    struct Case {
        std::int64_t width;
        std::int64_t height;
        bool fits;
    } const cases[] = {
        {1, 1, true},         {8192, 8192, true},    {8192, 8193, false}, {65535, 1024, true},
        {65535, 1025, false}, {65536, 1, false},     {1, 65536, false},   {0, 5, false},
        {5, -1, false},       {12038, 16386, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(layer::FitsDecodeBudget(c.width, c.height), c.fits)
            << c.width << " x " << c.height;
    }
}

// Every decoder refuses a picture whose 32-bit image passes the budget, however few bits per
// pixel the file stores, before it allocates for it.
TEST(DecodeBudget, EveryDecoderRefusesAPictureOverTheBudget) {
    struct Case {
        const char* what;
        Bytes bytes;
        layer::ImageLoader loader;
    } const cases[] = {
        {"RLE4 BMP of 12038 x 16386", RleBmp(12038, 16386, 4), layer::DecodeBmp},
        {"RLE8 BMP of 8192 x 8193", RleBmp(8192, 8193, 8), layer::DecodeBmp},
        {"grey JPEG of 16384 x 4097", GreyJpegDeclaring(16384, 4097), layer::DecodeJpeg},
        {"palette PNG of 16384 x 4097", PalettePngDeclaring(16384, 4097), layer::DecodePng},
        {"DXT1 DDS of 16384 x 4100", DxtDdsOf(16384, 4100), layer::DecodeDds},
        {"BGRA of 16384 x 4097", BgraOf(16384, 4097), layer::DecodeBgra},
        {"TGA of 8193 x 8192", TgaOf(8193, 8192), layer::DecodeTga},
    };
    const layer::TrackedTotals before = layer::ReadTrackedTotals();
    for (const Case& c : cases) {
        layer::GraphImage image;
        EXPECT_EQ(DecodeBytes(c.bytes, &image, c.loader), -1) << c.what;
        EXPECT_EQ(image.pixels, nullptr) << c.what;
        layer::FreeGraphImage(&image);
        EXPECT_EQ(DecodeBytes(c.bytes, &image), -1) << c.what << " through the dispatcher";
        layer::FreeGraphImage(&image);
    }
    EXPECT_EQ(layer::ReadTrackedTotals().count, before.count);
}

TEST(DecodeBudget, APictureAtTheBudgetDecodes) {
    DecodedImage decoded(RleBmp(8192, 8192, 8), layer::DecodeBmp);
    ASSERT_EQ(decoded.result(), 0);
    EXPECT_EQ(decoded.image().width, 8192);
    EXPECT_EQ(decoded.image().height, 8192);
}

}  // namespace
}  // namespace test
