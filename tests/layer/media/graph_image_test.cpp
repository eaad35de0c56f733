#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "layer/core/tracked_memory.h"
#include "layer/media/dxt_expansion.h"
#include "layer/media/held_images.h"
#include "layer/media/image_creation.h"
#include "layer/media/image_pixels.h"
#include "layer/media/pixel_format_presets.h"
#include "layer/media/pixel_value.h"
#include "tests/layer/media/image_fixtures.h"

namespace test {
namespace {

using layer::GraphImage;
using layer::PixelFormat;

PixelFormat Masks(int bits, std::uint32_t red, std::uint32_t green, std::uint32_t blue,
                  std::uint32_t alpha) {
    PixelFormat format;
    layer::FillFormatFromMasks(&format, bits, red, green, blue, alpha);
    return format;
}

// A 4 x 4 DXT1 image (or larger: blocks repeat) from one colour block.
GraphImage Dxt1Image(int width, int height, const Bytes& block) {
    GraphImage image;
    layer::FillArgb32Format(&image.format);
    image.format.bits_per_pixel = 4;
    image.format.compression = layer::kDxt1;
    image.width = width;
    image.height = height;
    const int blocks = (width / 4) * (height / 4);
    image.pixels =
        static_cast<std::uint8_t*>(layer::AllocTracked(blocks * 8 + 8, __FILE__, __LINE__));
    for (int i = 0; i < blocks; ++i) {
        std::copy(block.begin(), block.end(), image.pixels + i * 8);
    }
    return image;
}

std::uint32_t Argb(const GraphImage& image, int x, int y) {
    std::uint32_t value;
    std::memcpy(&value, image.pixels + y * image.pitch + x * 4, 4);
    return value;
}

struct Rule {
    const char* name;
    std::function<void()> check;
};

TEST(GraphImage, SingleValuesAndImages) {
    const Rule rules[] = {
        {"palette tie keeps the lowest index",
         [] {
             PixelFormat palette;
             layer::FillPaletteFormat(&palette);
             palette.palette[3] = {10, 20, 30, 0};
             palette.palette[7] = {10, 20, 30, 0};
             EXPECT_EQ(layer::PackColor(palette, 30, 20, 10, 0), 3u);
         }},
        {"XRGB packs with the unused byte set",
         [] {
             PixelFormat format;
             layer::FillXrgb32Format(&format);
             EXPECT_EQ(layer::PackColor(format, 1, 2, 3, 0), 0xFF010203u);
         }},
        {"565 packs white as 0xFFFF",
         [] {
             EXPECT_EQ(layer::PackColor(Masks(16, 0xF800, 0x7E0, 0x1F, 0), 255, 255, 255, 0),
                       0xFFFFu);
         }},
        {"converting 565 white leaves low bits 0",
         [] {
             PixelFormat xrgb;
             layer::FillXrgb32Format(&xrgb);
             EXPECT_EQ(layer::ConvertPixelValue(xrgb, Masks(16, 0xF800, 0x7E0, 0x1F, 0), 0xFFFF),
                       0xFFF8FCF8u);
         }},
        {"a 5-bit 16 unpacks to 131",
         [] {
             int red = 0;
             layer::UnpackColor(Masks(16, 0x7C00, 0x3E0, 0x1F, 0), 16 << 10, &red, nullptr, nullptr,
                                nullptr);
             EXPECT_EQ(red, 131);
         }},
        {"a channel of width 0 unpacks to 0",
         [] {
             int green = -1;
             layer::UnpackColor(Masks(16, 0xFF00, 0, 0xFF, 0), 0xFFFF, nullptr, &green, nullptr,
                                nullptr);
             EXPECT_EQ(green, 0);
         }},
        {"pixel access stops at the bounds",
         [] {
             GraphImage image;
             ASSERT_EQ(layer::CreateXrgb32Image(3, 2, &image), 0);
             EXPECT_EQ(layer::WriteImagePixel(&image, 2, 1, 9, 8, 7, 0), 0);
             int red = 0;
             EXPECT_EQ(layer::FetchImagePixel(&image, 2, 1, &red, nullptr, nullptr, nullptr), 0);
             EXPECT_EQ(red, 9);
             EXPECT_EQ(layer::FetchImagePixel(&image, -1, 0, nullptr, nullptr, nullptr, nullptr),
                       -1);
             EXPECT_EQ(layer::FetchImagePixel(&image, 3, 0, nullptr, nullptr, nullptr, nullptr),
                       -1);
             EXPECT_EQ(layer::WriteImagePixel(&image, 0, 2, 0, 0, 0, 0), -1);
             layer::FreeGraphImage(&image);
         }},
        {"5-5-5 masks leave 0x8000 unused",
         [] {
             const PixelFormat f = Masks(16, 0x7C00, 0x3E0, 0x1F, 0);
             EXPECT_EQ(f.red_width + f.green_width * 10 + f.blue_width * 100 + f.alpha_width * 1000,
                       555);
             EXPECT_EQ(f.red_position, 10);
             EXPECT_EQ(f.green_position, 5);
             EXPECT_EQ(f.unused_mask, 0x8000u);
             EXPECT_EQ(f.unused_position, 15);
             EXPECT_EQ(f.unused_width, 1);
         }},
        {"unused bits are recomputed from the widths",
         [] {
             PixelFormat f = Masks(32, 0xFF0000, 0xFF00, 0xFF, 0);
             f.unused_mask = 0;
             EXPECT_EQ(layer::SetFormatUnusedBits(&f)->unused_mask, 0xFF000000u);
             PixelFormat full = Masks(32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
             full.unused_mask = 7;
             EXPECT_EQ(layer::SetFormatUnusedBits(&full)->unused_mask, 0u);
         }},
        {"formats differing only in palettes are the same",
         [] {
             PixelFormat a;
             PixelFormat b;
             layer::FillPaletteFormat(&a);
             layer::FillGreyPaletteFormat(&b);
             EXPECT_EQ(layer::SamePixelFormat(a, b), 1);
             EXPECT_EQ(layer::SamePixelFormat(a, Masks(8, 0xE0, 0x1C, 0x3, 0)), 0);
         }},
        {"DXT1 with colour 0 = colour 1 makes index 3 the colour, transparent",
         [] {
             GraphImage image =
                 Dxt1Image(4, 4, DxtColourBlock(0xF800, 0xF800, std::vector<int>(16, 3)));
             ASSERT_EQ(layer::ExpandCompressedImage(&image), 0);
             EXPECT_EQ(Argb(image, 0, 0), 0x00FF0000u);
             EXPECT_EQ(image.format.bits_per_pixel, 32);
             EXPECT_EQ(image.format.compression, 0);
             layer::FreeGraphImage(&image);
         }},
        {"a 6 x 6 DXT1 image decodes one block",
         [] {
             GraphImage image =
                 Dxt1Image(6, 6, DxtColourBlock(0x001F, 0x0000, std::vector<int>(16, 0)));
             ASSERT_EQ(layer::ExpandCompressedImage(&image), 0);
             EXPECT_EQ(image.pitch, 24);
             EXPECT_EQ(Argb(image, 3, 3), 0xFF0000FFu);
             EXPECT_EQ(Argb(image, 4, 0), 0u);
             EXPECT_EQ(Argb(image, 0, 5), 0u);
             layer::FreeGraphImage(&image);
         }},
        {"mirroring reverses rows",
         [] {
             GraphImage image;
             ASSERT_EQ(layer::CreateRgb24Image(3, 1, &image), 0);
             for (int x = 0; x < 3; ++x) {
                 layer::WriteImagePixel(&image, x, 0, x + 1, 0, 0, 0);
             }
             EXPECT_EQ(layer::MirrorImageRows(&image), 0);
             EXPECT_EQ(layer::ReadImagePixel(image, 0, 0), 0x030000u);
             EXPECT_EQ(layer::ReadImagePixel(image, 2, 0), 0x010000u);
             layer::FreeGraphImage(&image);
             GraphImage one;
             ASSERT_EQ(layer::CreateRgb24Image(1, 1, &one), 0);
             layer::WriteImagePixel(&one, 0, 0, 5, 6, 7, 0);
             EXPECT_EQ(layer::MirrorImageRows(&one), 0);
             EXPECT_EQ(layer::ReadImagePixel(one, 0, 0), 0x050607u);
             layer::FreeGraphImage(&one);
             GraphImage empty;
             EXPECT_EQ(layer::MirrorImageRows(&empty), -1);
         }},
        {"creators round pitches to 4 and fill images",
         [] {
             GraphImage image;
             ASSERT_EQ(layer::CreateRgb24Image(5, 2, &image), 0);
             EXPECT_EQ(image.pitch, 16);
             layer::FillImageColor(&image, 1, 2, 3, 0);
             EXPECT_EQ(layer::ReadImagePixel(image, 4, 1), 0x010203u);
             layer::FreeGraphImage(&image);
             EXPECT_EQ(image.pixels, nullptr);
             EXPECT_EQ(layer::CreateArgb32Image(0, 5, &image), -1);
             EXPECT_EQ(image.pixels, nullptr);
         }},
    };
    for (const Rule& rule : rules) {
        SCOPED_TRACE(rule.name);
        rule.check();
    }
}

TEST(GraphImage, MovesHandTheBlockOver) {
    GraphImage image;
    ASSERT_EQ(layer::CreateXrgb32Image(2, 2, &image), 0);
    std::uint8_t* block = image.pixels;
    GraphImage moved = std::move(image);
    EXPECT_EQ(moved.pixels, block);
    EXPECT_EQ(image.pixels, nullptr);
    EXPECT_EQ(image.width, 0);
    layer::FreeGraphImage(&moved);
}

TEST(HeldImages, DeletionChecksTheHandle) {
    layer::HeldImage* record = nullptr;
    const int handle = layer::HeldImages().Add(&record);
    ASSERT_GE(handle, 0);
    ASSERT_EQ(layer::CreateXrgb32Image(4, 4, &record->image), 0);
    const int live = layer::ReadTrackedTotals().count;
    EXPECT_EQ(layer::DeleteHeldImage(handle ^ 0x00010000), -1);
    EXPECT_EQ(layer::DeleteHeldImage((handle & ~0x78000000) | 1 << 27), -1);
    EXPECT_EQ(layer::ReadTrackedTotals().count, live);
    EXPECT_EQ(layer::GetHeldImageHandleInSlot(handle & 0xFFFF), handle);
    EXPECT_EQ(layer::DeleteHeldImage(handle), 0);
    EXPECT_EQ(layer::ReadTrackedTotals().count, live - 2);
    EXPECT_EQ(layer::GetHeldImageSlotEnd(), 0);
    EXPECT_EQ(layer::DeleteHeldImage(handle), -1);
}

}  // namespace
}  // namespace test
