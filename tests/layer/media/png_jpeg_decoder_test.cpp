#include <png.h>

#include <gtest/gtest.h>

#include "tests/layer/media/decode_bytes.h"

namespace test {
namespace {

std::vector<Rgba> Palette16() {
    std::vector<Rgba> out;
    for (int i = 0; i < 16; ++i) {
        out.push_back(Rgba{static_cast<std::uint8_t>(i * 16), static_cast<std::uint8_t>(i),
                           static_cast<std::uint8_t>(255 - i), 0});
    }
    return out;
}

TEST(PngDecoder, PaletteWithoutTransparencyKeepsIndicesAndFillsTheRestBlack) {
    PngSpec recipe = PngLayout(4, 1, 8, PNG_COLOR_TYPE_PALETTE);
    recipe.palette = Palette16();
    recipe.rows = {0, 5, 15, 9};
    DecodedImage decoded(MakePng(recipe), layer::DecodePng);
    ASSERT_EQ(decoded.result(), 0);
    const layer::PixelFormat& format = decoded.image().format;
    EXPECT_EQ(format.bytes_per_pixel, 1);
    EXPECT_EQ(decoded.image().pitch, 4);
    EXPECT_EQ(decoded.value(2, 0), 15u);
    EXPECT_EQ(decoded.at(1, 0), recipe.palette[5]);
    for (int i = 16; i < 256; ++i) {
        EXPECT_EQ(format.palette[i].red + format.palette[i].green + format.palette[i].blue, 0);
    }
}

TEST(PngDecoder, PaletteWithTransparencyBecomesArgb) {
    PngSpec recipe = PngLayout(2, 1, 8, PNG_COLOR_TYPE_PALETTE);
    recipe.palette = Palette16();
    recipe.transparency = {0, 128};
    recipe.rows = {1, 2};
    DecodedImage decoded(MakePng(recipe), layer::DecodePng);
    ASSERT_EQ(decoded.result(), 0);
    EXPECT_EQ(decoded.image().format.alpha_mask, 0xFF000000u);
    EXPECT_EQ(decoded.value(0, 0), 0x801001FEu);
    EXPECT_EQ(decoded.value(1, 0), 0xFF2002FDu);
}

TEST(PngDecoder, TwoBitGreyExpandsToTheGreyPalette) {
    PngSpec recipe = PngLayout(4, 1, 2, PNG_COLOR_TYPE_GRAY);
    recipe.rows = {0b00011011};
    DecodedImage decoded(MakePng(recipe), layer::DecodePng);
    ASSERT_EQ(decoded.result(), 0);
    EXPECT_EQ(decoded.image().pitch, 4);
    const std::uint32_t expected[] = {0, 85, 170, 255};
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(decoded.value(x, 0), expected[x]);
    }
    EXPECT_EQ(decoded.image().format.palette[170].green, 170);
}

TEST(PngDecoder, GreyWithTransparencyOrAlphaIsSixteenBitGrey) {
    PngSpec keyed = PngLayout(2, 1, 8, PNG_COLOR_TYPE_GRAY);
    keyed.rows = {0x40, 0x55};
    keyed.transparency = {0, 0x55};
    PngSpec with_alpha = PngLayout(2, 1, 8, PNG_COLOR_TYPE_GRAY_ALPHA);
    with_alpha.rows = {0x40, 0xFF, 0x55, 0x00};
    for (const PngSpec& recipe : {keyed, with_alpha}) {
        DecodedImage decoded(MakePng(recipe), layer::DecodePng);
        ASSERT_EQ(decoded.result(), 0);
        const layer::PixelFormat& format = decoded.image().format;
        EXPECT_EQ(format.bits_per_pixel, 16);
        EXPECT_EQ(format.red_mask, 0xFFu);
        EXPECT_EQ(format.unused_mask, 0xFF00u);
        EXPECT_EQ(decoded.value(0, 0), 0xFF40u);
        EXPECT_EQ(decoded.value(1, 0), 0x0055u);
    }
}

TEST(PngDecoder, SixteenBitRgbaKeepsHighBytes) {
    PngSpec recipe = PngLayout(1, 1, 16, PNG_COLOR_TYPE_RGB_ALPHA);
    recipe.rows = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0};
    DecodedImage decoded(MakePng(recipe), layer::DecodePng);
    ASSERT_EQ(decoded.result(), 0);
    EXPECT_EQ(decoded.value(0, 0), 0xDE12569Au);
}

TEST(PngDecoder, RgbRowsAreNotPaddedAndInterlacedFilesComeOutWhole) {
    const Picture picture = SamplePicture(3, 5);
    for (bool interlaced : {false, true}) {
        PngSpec recipe = PngLayout(3, 5, 8, PNG_COLOR_TYPE_RGB, interlaced);
        for (const Rgba& pixel : picture.pixels) {
            recipe.rows.insert(recipe.rows.end(), {pixel.red, pixel.green, pixel.blue});
        }
        DecodedImage decoded(MakePng(recipe), layer::DecodePng);
        ASSERT_EQ(decoded.result(), 0);
        EXPECT_EQ(decoded.image().pitch, 9);
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 3; ++x) {
                Rgba expected = picture.at(x, y);
                expected.alpha = 0;
                EXPECT_EQ(decoded.at(x, y), expected);
            }
        }
    }
}

TEST(PngDecoder, TruncatedFileIsRefused) {
    const Bytes png = PngOf(SamplePicture(4, 4));
    for (std::size_t size : {png.size() - 1, png.size() / 2, std::size_t{8}, std::size_t{0}}) {
        layer::GraphImage image;
        EXPECT_EQ(DecodeBytes(Truncated(png, size), &image, layer::DecodePng), -1) << size;
        EXPECT_EQ(image.pixels, nullptr);
    }
}

TEST(JpegDecoder, GreyIsOneBytePerPixelWithTheGreyPalette) {
    DecodedImage decoded(MakeJpeg(8, 8, 1, Bytes(64, 0x80)), layer::DecodeJpeg);
    ASSERT_EQ(decoded.result(), 0);
    EXPECT_EQ(decoded.image().format.bytes_per_pixel, 1);
    EXPECT_EQ(decoded.image().pitch, 8);
    EXPECT_NEAR(static_cast<int>(decoded.value(3, 3)), 0x80, 1);
    EXPECT_EQ(decoded.image().format.palette[0x80].red, 0x80);
}

TEST(JpegDecoder, ColourOfOddWidthIsBgrWithoutPadding) {
    Bytes samples;
    for (int i = 0; i < 5 * 3; ++i) {
        samples.insert(samples.end(), {200, 40, 10});
    }
    DecodedImage decoded(MakeJpeg(5, 3, 3, samples, 100), layer::DecodeJpeg);
    ASSERT_EQ(decoded.result(), 0);
    EXPECT_EQ(decoded.image().pitch, 15);
    const std::uint8_t* pixel = decoded.image().pixels + 15 + 6;
    EXPECT_NEAR(pixel[0], 10, 3);
    EXPECT_NEAR(pixel[1], 40, 3);
    EXPECT_NEAR(pixel[2], 200, 3);
}

TEST(JpegDecoder, RefusesFourComponentsAndEmptyStreams) {
    layer::GraphImage image;
    EXPECT_EQ(DecodeBytes(MakeJpeg(4, 4, 4, Bytes(64, 9)), &image, layer::DecodeJpeg), -1);
    EXPECT_EQ(DecodeBytes(Bytes{}, &image, layer::DecodeJpeg), -1);
    EXPECT_EQ(image.pixels, nullptr);
}

TEST(JpegDecoder, PrematureEndStillDecodes) {
    const Bytes jpeg = MakeJpeg(16, 16, 3, Bytes(16 * 16 * 3, 0x40));
    DecodedImage decoded(Truncated(jpeg, jpeg.size() - 2), layer::DecodeJpeg);
    EXPECT_EQ(decoded.result(), 0);
}

TEST(DecoderDispatch, OnePictureInEveryFormatGivesTheSameColours) {
    const Picture picture = SamplePicture(5, 3);
    std::vector<std::uint32_t> values;
    Bytes tga_pixels;
    for (int y = 2; y >= 0; --y) {
        for (int x = 0; x < 5; ++x) {
            const Rgba& p = picture.at(x, y);
            tga_pixels.insert(tga_pixels.end(), {p.blue, p.green, p.red, p.alpha});
        }
    }
    for (const Rgba& p : picture.pixels) {
        values.push_back(static_cast<std::uint32_t>(p.red << 16 | p.green << 8 | p.blue));
    }
    BmpSpec bmp = BmpLayout(5, 3, 24);
    bmp.data = PackValueRows(values, 5, 3, 3);
    TgaSpec tga;
    tga.width = 5;
    tga.height = 3;
    tga.pixel_bits = 32;
    tga.descriptor = 0x08;
    tga.data = tga_pixels;
    const Bytes files[] = {MakeBmp(bmp), MakeTga(tga), PngOf(picture), MakeBgra8(picture)};
    for (const Bytes& file : files) {
        DecodedImage decoded(file);
        ASSERT_EQ(decoded.result(), 0);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 5; ++x) {
                Rgba got = decoded.at(x, y);
                got.alpha = 255;
                EXPECT_EQ(got, picture.at(x, y));
            }
        }
    }
}

TEST(DecoderDispatch, UnknownBytesAreRefused) {
    layer::GraphImage image;
    EXPECT_EQ(DecodeBytes(Bytes(100, 0x42), &image), -1);
    EXPECT_EQ(image.pixels, nullptr);
}

}  // namespace
}  // namespace test
