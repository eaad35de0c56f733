#include <gtest/gtest.h>

#include <string>

#include "layer/core/tracked_memory.h"
#include "layer/media/dib_from_image.h"
#include "layer/media/dib_section.h"
#include "layer/media/image_creation.h"
#include "layer/media/image_loading.h"
#include "layer/media/image_pixels.h"
#include "layer/media/pixel_format_presets.h"
#include "platform/file_system.h"
#include "platform/game_path.h"
#include "tests/layer/media/image_fixtures.h"
#include "tests/support/temp_tree.h"

namespace test {
namespace {

using layer::GraphImage;

TEST(AlphaCompanionName, GoesBeforeTheLastDotOfThePath) {
    const std::pair<const char*, const char*> cases[] = {
        {"Data\\pic.png", "Data\\pic_a.png"},
        {"pic", "pic_a"},
        {"Data.x\\pic", "Data_a.x\\pic"},
        {"a.b.c", "a.b_a.c"},
    };
    for (const auto& [name, expected] : cases) {
        std::string companion;
        ASSERT_TRUE(layer::MakeAlphaCompanionName(name, &companion));
        EXPECT_EQ(companion, expected);
    }
    std::string companion;
    EXPECT_TRUE(layer::MakeAlphaCompanionName(std::string(257, 'x').c_str(), &companion));
    EXPECT_FALSE(layer::MakeAlphaCompanionName(std::string(258, 'x').c_str(), &companion));
}

// A game folder with Data\pic.png and, unless asked otherwise, Data\pic_a.png.
class ImageLoading : public testing::Test {
  protected:
    void SetUp() override {
        previous_ = platform::GetCurrentFolder();
        ASSERT_TRUE(
            platform::SetCurrentFolder(platform::DiskPathToGamePath(tree_.root().string())));
        WriteFile(tree_.path("Data/pic.png"), PngOf(picture_));
        WriteFile(tree_.path("Data/pic_a.png"), PngOf(SamplePicture(2, 3)));
        live_blocks_ = layer::ReadTrackedTotals().count;
    }
    void TearDown() override {
        layer::FreeGraphImage(&image_);
        layer::FreeGraphImage(&alpha_);
        EXPECT_EQ(layer::ReadTrackedTotals().count, live_blocks_);
        platform::SetCurrentFolder(previous_);
    }

    TempTree tree_;
    std::string previous_;
    const Picture picture_ = SamplePicture(3, 2);
    GraphImage image_;
    GraphImage alpha_;
    std::size_t live_blocks_ = 0;
};

TEST_F(ImageLoading, FileWithItsCompanion) {
    EXPECT_EQ(layer::LoadImageWithAlpha("Data\\pic.png", nullptr, 0, 0, nullptr, 0, 0, &image_,
                                        &alpha_, 0),
              0);
    EXPECT_EQ(image_.width, 3);
    EXPECT_EQ(alpha_.height, 3);
}

TEST_F(ImageLoading, MissingCompanionLowersTheResult) {
    std::filesystem::remove(tree_.path("Data/pic_a.png"));
    EXPECT_EQ(layer::LoadImageWithAlpha("Data\\pic.png", nullptr, 0, 0, nullptr, 0, 0, &image_,
                                        &alpha_, 0),
              1);
    EXPECT_NE(image_.pixels, nullptr);
    EXPECT_EQ(alpha_.pixels, nullptr);
}

TEST_F(ImageLoading, AlphaFromMemoryNeedsABlock) {
    EXPECT_EQ(layer::LoadImageWithAlpha("Data\\pic.png", nullptr, 0, 0, nullptr, 0, 1, &image_,
                                        &alpha_, 0),
              1);
    layer::FreeGraphImage(&image_);
    const Bytes alpha = MakeBgra8(SamplePicture(1, 1));
    EXPECT_EQ(layer::LoadImageWithAlpha("Data\\pic.png", nullptr, 0, 0, alpha.data(),
                                        static_cast<int>(alpha.size()), 1, &image_, &alpha_, 0),
              0);
    EXPECT_EQ(alpha_.width, 1);
}

TEST_F(ImageLoading, NothingToDecodeFails) {
    WriteFile(tree_.path("Data/bad.png"), Bytes(40, 7));
    EXPECT_EQ(layer::LoadImageWithAlpha("Data\\bad.png", nullptr, 0, 0, nullptr, 0, 0, &image_,
                                        &alpha_, 0),
              -1);
    EXPECT_EQ(layer::LoadImageWithAlpha("Data\\none.png", nullptr, 0, 0, nullptr, 0, 0, &image_,
                                        &alpha_, 0),
              -1);
    // From memory with the companion asked for by file: there is no file name to build on.
    const Bytes png = PngOf(picture_);
    EXPECT_EQ(layer::LoadImageWithAlpha(nullptr, png.data(), static_cast<int>(png.size()), 1,
                                        nullptr, 0, 0, &image_, &alpha_, 0),
              1);
}

TEST_F(ImageLoading, MirrorReversesEveryRow) {
    ASSERT_EQ(layer::LoadImageData("Data\\pic.png", nullptr, 0, 0, 0, 1, &image_, nullptr, nullptr),
              0);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            int red = 0;
            layer::FetchImagePixel(&image_, x, y, &red, nullptr, nullptr, nullptr);
            EXPECT_EQ(red, picture_.at(2 - x, y).red);
        }
    }
}

TEST_F(ImageLoading, DibHandsOutHeaderAndPixels) {
    layer::BitmapInfo* info = nullptr;
    std::uint8_t* pixels = nullptr;
    ASSERT_EQ(layer::LoadImageData("Data\\pic.png", nullptr, 0, 0, 1, 0, &image_, &info, &pixels),
              0);
    EXPECT_EQ(info->header.bit_count, 24);
    EXPECT_EQ(info->header.height, -2);
    EXPECT_EQ(pixels[0], picture_.at(0, 0).blue);
    EXPECT_EQ(pixels[12 + 2], picture_.at(0, 1).red);
    layer::FreeTracked(pixels);
    layer::FreeTracked(info);
}

struct DibCase {
    int width;
    int copy;
    int expected;
};

TEST(MakeDibFromImage, OwnPixelsServeOnlyWhenRowsMatch) {
    for (const DibCase c : {DibCase{4, 0, 0}, DibCase{5, 0, 1}, DibCase{4, 1, 1}}) {
        GraphImage image;
        layer::FillRgb24Format(&image.format);
        image.width = c.width;
        image.height = 2;
        image.pitch = c.width * 3;
        Bytes bytes(static_cast<std::size_t>(image.pitch) * 2, 0x5A);
        image.pixels = bytes.data();
        layer::BitmapInfo info;
        std::uint8_t* pixels = nullptr;
        EXPECT_EQ(layer::MakeDibFromImage(image, &info, &pixels, c.copy, 0), c.expected);
        if (c.expected == 0) {
            EXPECT_EQ(pixels, image.pixels);
        } else {
            EXPECT_EQ(pixels[(c.width * 3 + 3) / 4 * 4 + 2], 0x5A);
            layer::FreeTracked(pixels);
        }
    }
}

TEST(MakeDibFromImage, PaletteImagesKeepTheirPalette) {
    GraphImage image;
    layer::FillGreyPaletteFormat(&image.format);
    image.width = 3;
    image.height = 1;
    image.pitch = 3;
    Bytes bytes = {1, 2, 3};
    image.pixels = bytes.data();
    layer::BitmapInfo info;
    std::uint8_t* pixels = nullptr;
    ASSERT_EQ(layer::MakeDibFromImage(image, &info, &pixels, 0, 0), 1);
    EXPECT_EQ(info.header.bit_count, 8);
    EXPECT_EQ(info.colours[200].red, 200);
    EXPECT_EQ(pixels[2], 3);
    layer::FreeTracked(pixels);
}

layer::BitmapInfo* NewHeader(int width, int height, int bit_count) {
    auto* info = static_cast<layer::BitmapInfo*>(
        layer::AllocTrackedZeroed(sizeof(layer::BitmapInfo), __FILE__, __LINE__));
    info->header.size = 40;
    info->header.width = width;
    info->header.height = height;
    info->header.planes = 1;
    info->header.bit_count = static_cast<std::uint16_t>(bit_count);
    return info;
}

TEST(CreateDIBGraph, EightBitsKeepTheirPaletteOthersBecomeTwentyFourBits) {
    layer::BitmapInfo* eight = NewHeader(2, 2, 8);
    eight->colours[7] = {1, 2, 3, 0};
    auto* indices = static_cast<std::uint8_t*>(layer::AllocTrackedZeroed(8, __FILE__, __LINE__));
    indices[0] = 7;  // the first stored row is the bottom one
    layer::DibSection* section = layer::CreateDIBGraph(eight, indices, 0);
    ASSERT_NE(section, nullptr);
    EXPECT_EQ(section->info.header.bit_count, 8);
    EXPECT_EQ(section->info.header.height, -2);
    EXPECT_EQ(section->info.colours[7].red, 3);
    EXPECT_EQ(section->bits[4], 7);
    layer::DeleteDibSection(section);
    layer::FreeTracked(indices);
    layer::FreeTracked(eight);

    layer::BitmapInfo* sixteen = NewHeader(1, -1, 16);
    auto* value = static_cast<std::uint8_t*>(layer::AllocTrackedZeroed(4, __FILE__, __LINE__));
    value[0] = 0x1F;  // 5-5-5 blue
    section = layer::CreateDIBGraph(sixteen, value, 0);
    ASSERT_NE(section, nullptr);
    EXPECT_EQ(section->info.header.bit_count, 24);
    EXPECT_EQ(section->bits[0], 255);
    EXPECT_EQ(section->bits[2], 0);
    layer::DeleteDibSection(section);
    layer::FreeTracked(value);
    layer::FreeTracked(sixteen);
}

TEST(CreateDIBGraph, RefusalFreesTheCallersBlocks) {
    const std::size_t live = layer::ReadTrackedTotals().count;
    layer::BitmapInfo* info = NewHeader(0, 1, 24);
    auto* pixels = static_cast<std::uint8_t*>(layer::AllocTrackedZeroed(4, __FILE__, __LINE__));
    EXPECT_EQ(layer::CreateDIBGraph(info, pixels, 0), nullptr);
    EXPECT_EQ(layer::ReadTrackedTotals().count, live);
}

}  // namespace
}  // namespace test
