#include <gtest/gtest.h>

#include <png.h>

#include <fstream>
#include <iterator>

#include "layer/core/tracked_memory.h"
#include "layer/media/image_creation.h"
#include "layer/media/image_pixels.h"
#include "layer/media/image_savers.h"
#include "layer/media/pixel_format_presets.h"
#include "platform/file_system.h"
#include "platform/game_path.h"
#include "tests/layer/media/decode_bytes.h"
#include "tests/support/temp_tree.h"

namespace test {
namespace {

using layer::GraphImage;

class ImageSaving : public testing::Test {
  protected:
    void SetUp() override {
        previous_ = platform::GetCurrentFolder();
        ASSERT_TRUE(
            platform::SetCurrentFolder(platform::DiskPathToGamePath(tree_.root().string())));
    }
    void TearDown() override {
        layer::FreeGraphImage(&image_);
        platform::SetCurrentFolder(previous_);
    }
    Bytes Read(const char* name) {
        std::ifstream in(tree_.path(name), std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool Exists(const char* name) { return std::filesystem::exists(tree_.path(name)); }

    TempTree tree_;
    std::string previous_;
    GraphImage image_;
};

TEST_F(ImageSaving, PaletteBmpStoresRowsBottomUpAfterThePalette) {
    layer::FillGreyPaletteFormat(&image_.format);
    image_.width = 4;
    image_.height = 2;
    image_.pitch = 4;
    image_.pixels = static_cast<std::uint8_t*>(layer::AllocTracked(8, __FILE__, __LINE__));
    for (int i = 0; i < 8; ++i) {
        image_.pixels[i] = static_cast<std::uint8_t>(i);
    }
    ASSERT_EQ(layer::SaveImageBmp("shot.bmp", &image_), 0);
    const Bytes file = Read("shot.bmp");
    ASSERT_EQ(file.size(), 1086u);
    EXPECT_EQ(file[10] | file[11] << 8, 1078);
    EXPECT_EQ(file[1078], 4);
    EXPECT_EQ(file[1082], 0);
    EXPECT_EQ(file[54 + 4 * 9 + 2], 9);
}

TEST_F(ImageSaving, ThirtyTwoBitBmpHasPaddedTwentyFourBitRows) {
    ASSERT_EQ(layer::CreateXrgb32Image(5, 1, &image_), 0);
    layer::FillImageColor(&image_, 1, 2, 3, 0);
    ASSERT_EQ(layer::SaveImageBmp("wide.bmp", &image_), 0);
    const Bytes file = Read("wide.bmp");
    ASSERT_EQ(file.size(), 70u);
    EXPECT_EQ(file[28], 24);
    EXPECT_EQ(file[54], 3);
    EXPECT_EQ(file[56], 1);
    EXPECT_EQ(file[69], 0);
}

TEST_F(ImageSaving, SixteenBitWhiteBecomes248And252) {
    layer::FillFormatFromMasks(&image_.format, 16, 0xF800, 0x7E0, 0x1F, 0);
    image_.width = 1;
    image_.height = 1;
    image_.pitch = 4;
    image_.pixels = static_cast<std::uint8_t*>(layer::AllocTracked(4, __FILE__, __LINE__));
    image_.pixels[0] = 0xFF;
    image_.pixels[1] = 0xFF;
    ASSERT_EQ(layer::SaveImageBmp("white.bmp", &image_), 0);
    const Bytes file = Read("white.bmp");
    EXPECT_EQ(file[54], 248);
    EXPECT_EQ(file[55], 252);
    EXPECT_EQ(file[56], 248);
}

TEST_F(ImageSaving, BmpReplacesAnExistingFile) {
    WriteFile(tree_.path("same.bmp"), Bytes(5000, 1));
    ASSERT_EQ(layer::CreateRgb24Image(2, 2, &image_), 0);
    layer::FillImageColor(&image_, 9, 9, 9, 0);
    ASSERT_EQ(layer::SaveImageBmp("same.bmp", &image_), 0);
    EXPECT_EQ(Read("same.bmp").size(), 54u + 2 * 8);
}

TEST_F(ImageSaving, SavedFilesDecodeToTheSamePicture) {
    ASSERT_EQ(layer::CreateArgb32Image(7, 5, &image_), 0);
    const Picture picture = SamplePicture(7, 5);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            const Rgba& p = picture.at(x, y);
            layer::WriteImagePixel(&image_, x, y, p.red, p.green, p.blue, 17);
        }
    }
    ASSERT_EQ(layer::SaveImageBmp("round.bmp", &image_), 0);
    ASSERT_EQ(layer::SaveImagePng("round.png", &image_, 0), 0);
    for (const char* name : {"round.bmp", "round.png"}) {
        DecodedImage decoded(Read(name));
        ASSERT_EQ(decoded.result(), 0) << name;
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 7; ++x) {
                Rgba expected = picture.at(x, y);
                expected.alpha = 0;
                EXPECT_EQ(decoded.at(x, y), expected) << name;
            }
        }
    }
    // JPEG keeps a flat colour within a few steps.
    layer::FillImageColor(&image_, 200, 40, 10, 17);
    ASSERT_EQ(layer::SaveImageJpeg("round.jpg", &image_, 95), 0);
    DecodedImage jpeg(Read("round.jpg"));
    ASSERT_EQ(jpeg.result(), 0);
    const Rgba got = jpeg.at(3, 2);
    EXPECT_NEAR(got.red, 200, 3);
    EXPECT_NEAR(got.green, 40, 3);
    EXPECT_NEAR(got.blue, 10, 3);
    // Compression level 0 still gives a valid RGB file of colour type 2.
    const Bytes png = Read("round.png");
    EXPECT_EQ(png[25], PNG_COLOR_TYPE_RGB);
}

TEST_F(ImageSaving, FailuresLeaveNoFile) {
    ASSERT_EQ(layer::CreateRgb24Image(2, 2, &image_), 0);
    EXPECT_EQ(layer::SaveImagePng("missing\\x.png", &image_, 6), -1);
    EXPECT_EQ(layer::SaveImageBmp("missing\\x.bmp", &image_), -1);
    EXPECT_EQ(layer::SaveImageJpeg("missing\\x.jpg", &image_, 90), -1);
    layer::FailNextTrackedAllocation();
    EXPECT_EQ(layer::SaveImagePng("nomemory.png", &image_, 6), -1);
    EXPECT_FALSE(Exists("nomemory.png"));
    layer::FailNextTrackedAllocation();
    EXPECT_EQ(layer::SaveImageJpeg("nomemory.jpg", &image_, 90), -1);
    EXPECT_FALSE(Exists("nomemory.jpg"));
    GraphImage empty;
    EXPECT_EQ(layer::SaveImageBmp("empty.bmp", &empty), -1);
    EXPECT_FALSE(Exists("empty.bmp"));
}

}  // namespace
}  // namespace test
