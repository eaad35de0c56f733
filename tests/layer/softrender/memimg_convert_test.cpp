#include "layer/softrender/memimg_convert.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "layer/media/pixel_format_presets.h"
#include "layer/softrender/memimg_runs.h"
#include "tests/layer/softrender/blit_test_support.h"

namespace layer {
namespace {

using test_support::Image;

// A picture over a vector the test owns.
struct Picture {
    Picture(int width, int height, int (*fill_format)(PixelFormat*)) {
        fill_format(&image.format);
        image.width = width;
        image.height = height;
        image.pitch = width * image.format.bytes_per_pixel;
        store.assign(static_cast<std::size_t>(image.pitch) * height, 0);
        image.pixels = store.data();
    }
    std::uint32_t Get(int x, int y) const {
        std::uint32_t value = 0;
        std::memcpy(&value, image.pixels + y * image.pitch + x * image.format.bytes_per_pixel,
                    image.format.bytes_per_pixel);
        return value;
    }
    void Set(int x, int y, std::uint32_t value) {
        std::memcpy(image.pixels + y * image.pitch + x * image.format.bytes_per_pixel, &value,
                    image.format.bytes_per_pixel);
    }

    std::vector<std::uint8_t> store;
    GraphImage image;
};

std::uint32_t PaletteWord(const std::uint8_t* block, int color_type, int index) {
    std::uint32_t value = 0;
    std::memcpy(&value, block + index * (color_type == 0 ? 2 : 4), color_type == 0 ? 2 : 4);
    return value;
}

struct PaletteCase {
    const char* name;
    PaletteEntry entry;
    int color_type;
    std::uint32_t expected;
};

class MemImgConvertPaletteTest : public testing::TestWithParam<PaletteCase> {};

TEST_P(MemImgConvertPaletteTest, StoresIndicesCountAndConvertedEntries) {
    const PaletteCase& c = GetParam();
    Picture source(8, 2, FillPaletteFormat);
    for (int i = 0; i < 256; ++i) {
        source.image.format.palette[i] = PaletteEntry{0x28, 0x50, 0xA0, 0};
    }
    source.image.format.palette[200] = c.entry;
    for (int x = 0; x < 8; ++x) {
        source.Set(x, 0, x);
        source.Set(x, 1, 15 - x);
    }
    Image image(8, 2, c.color_type, 1);

    ASSERT_EQ(StoreGraphImageInMemImg(&source.image, nullptr, image.get(), 0, 0, 8, 2, 0, 0, 0), 0);
    EXPECT_EQ(image.body().PaletteCount, 16);
    EXPECT_EQ(image.Get(3, 0), 3u);
    EXPECT_EQ(image.Get(3, 1), 12u);
    const std::uint32_t filler = c.color_type == 0 ? 0xA285u : 0xA05028u;
    for (const std::uint8_t* block : {image.body().Palette, image.body().PaletteCopy}) {
        EXPECT_EQ(PaletteWord(block, c.color_type, 200), c.expected);
        EXPECT_EQ(PaletteWord(block, c.color_type, 0), filler);
        EXPECT_EQ(PaletteWord(block, c.color_type, 255), filler);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, MemImgConvertPaletteTest,
    testing::Values(PaletteCase{"WhiteNarrow", {255, 255, 255, 9}, 0, 0xFFFF},
                    PaletteCase{"WhiteWide", {255, 255, 255, 9}, 1, 0x00FFFFFF},
                    PaletteCase{"LowBitsDroppedNarrow", {7, 3, 7, 0}, 0, 0},
                    PaletteCase{"ChannelsNarrow",
                                {0x18, 0x44, 0x90, 0},
                                0,
                                0x90u << 8 | 0x44u << 3 | 0x18u >> 3},
                    PaletteCase{"ChannelsWide", {0x18, 0x44, 0x90, 0x77}, 1, 0x00904418}),
    [](const testing::TestParamInfo<PaletteCase>& info) { return info.param.name; });

TEST(MemImgConvertTest, WholeStoreBuildsDerivedDataAndPartialStoreMarksItStale) {
    Picture source(100, 50, FillArgb32Format);
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 100; ++x) {
            source.Set(x, y, x < 30 ? 0x00000000u : 0x80C86432u);
        }
    }
    Image image(100, 50, 1, 0, 1, 0, 1);

    ASSERT_EQ(StoreGraphImageInMemImg(&source.image, nullptr, image.get(), 0, 0, 100, 50, 0, 0, 0),
              0);
    EXPECT_EQ(image.body().RunTableValid, 1);
    EXPECT_EQ(image.body().PremulValid, 1);
    const std::uint8_t* runs = image.body().RunTable;
    EXPECT_EQ(std::vector<int>(runs, runs + 4), (std::vector<int>{0x1D, 0xBF, 0x85, 0xC0}));
    const std::uint8_t* premul = image.get()->Premul + 40 * 4;
    EXPECT_EQ(std::vector<int>(premul, premul + 4), (std::vector<int>{25, 50, 100, 128}));

    ASSERT_EQ(StoreGraphImageInMemImg(&source.image, nullptr, image.get(), 0, 0, 99, 50, 0, 0, 0),
              0);
    EXPECT_EQ(image.body().RunTableValid, 0);
    EXPECT_EQ(image.body().PremulValid, 0);
}

TEST(MemImgConvertTest, RefusedStoreLeavesImageAndFlags) {
    Picture source(4, 4, FillXrgb32Format);
    Image image(4, 4, 1, 0, 0, 0, 1);
    ASSERT_EQ(StoreGraphImageInMemImg(&source.image, nullptr, image.get(), 0, 0, 4, 4, 0, 0, 0), 0);
    image.Set(1, 1, 0x12345678);
    const std::vector<std::uint8_t> before = image.Bytes();

    struct Refusal {
        int x, y, width, height, dx, dy;
    };
    for (const Refusal& r :
         {Refusal{0, 0, 0, 4, 0, 0}, Refusal{0, 0, 4, 0, 0, 0}, Refusal{1, 0, 4, 4, 0, 0},
          Refusal{0, 0, 4, 4, 0, 1}, Refusal{-1, 0, 2, 2, 0, 0}, Refusal{0, 0, 2, 2, -1, 0}}) {
        EXPECT_EQ(StoreGraphImageInMemImg(&source.image, nullptr, image.get(), r.x, r.y, r.width,
                                          r.height, r.dx, r.dy, 0),
                  -1);
    }
    EXPECT_EQ(image.Bytes(), before);
    EXPECT_EQ(image.body().RunTableValid, 1);
}

TEST(MemImgConvertTest, AlphaImageSuppliesAlphaFromItsRedChannel) {
    Picture source(3, 1, FillXrgb32Format);
    Picture alpha(5, 1, FillGreyPaletteFormat);
    for (int x = 0; x < 3; ++x) {
        source.Set(x, 0, 0x00102030);
    }
    for (int x = 0; x < 5; ++x) {
        alpha.Set(x, 0, 50 * x);
    }
    Image image(4, 1, 1, 0, 1);

    ASSERT_EQ(
        StoreGraphImageInMemImg(&source.image, &alpha.image, image.get(), 1, 0, 2, 1, 2, 0, 0), 0);
    EXPECT_EQ(image.Get(0, 0), 0u);
    EXPECT_EQ(image.Get(2, 0), 0x32102030u);
    EXPECT_EQ(image.Get(3, 0), 0x64102030u);
}

TEST(MemImgConvertTest, TransparentColourBecomesAlphaZeroOnlyWhenAsked) {
    Picture source(2, 1, FillXrgb32Format);
    source.Set(0, 0, 0x00FF00FF);
    source.Set(1, 0, 0x00FF00FE);
    for (int flag : {0, 1}) {
        Image image(2, 1, 1, 0, 1, 0x00FF00FF);
        ASSERT_EQ(
            StoreGraphImageInMemImg(&source.image, nullptr, image.get(), 0, 0, 2, 1, 0, 0, flag),
            0);
        EXPECT_EQ(image.Get(0, 0) >> 24, flag == 1 ? 0u : 255u) << "flag " << flag;
        EXPECT_EQ(image.Get(1, 0) >> 24, 255u) << "flag " << flag;
    }
}

TEST(MemImgConvertTest, SingleChannelImagesStoreTheRedChannel) {
    Picture direct(2, 1, FillXrgb32Format);
    direct.Set(0, 0, 0x00804020);
    direct.Set(1, 0, 0x00FF0000);
    Picture indexed(2, 1, FillPaletteFormat);
    indexed.image.format.palette[7] = PaletteEntry{1, 2, 0x80, 0};
    indexed.image.format.palette[9] = PaletteEntry{0xFF, 0xFF, 0, 0};
    indexed.Set(0, 0, 7);
    indexed.Set(1, 0, 9);

    for (const Picture* source : {&direct, &indexed}) {
        Image eight(2, 1, 2);
        StoreGraphImageInMemImg(&source->image, nullptr, eight.get(), 0, 0, 2, 1, 0, 0, 0);
        EXPECT_EQ(eight.Get(0, 0), 0x80u);
        EXPECT_EQ(eight.Get(1, 0), source == &direct ? 0xFFu : 0u);
    }
    Image sixteen(2, 1, 3);
    StoreGraphImageInMemImg(&direct.image, nullptr, sixteen.get(), 0, 0, 2, 1, 0, 0, 0);
    EXPECT_EQ(sixteen.Get(1, 0), 0xFFFFu);
}

TEST(MemImgConvertTest, PlainImageGoesBackIntoAGraphImage) {
    Image image(3, 2, 1);
    for (int x = 0; x < 3; ++x) {
        image.Set(x, 1, 0x00000100u * (x + 1));
    }
    image.Set(1, 1, 0x00ABCDEF);
    for (int skip : {0, 1}) {
        Picture target(4, 2, FillXrgb32Format);
        target.Set(1, 0, 0x11111111);
        target.Set(2, 0, 0x22222222);
        target.Set(3, 0, 0x33333333);
        ASSERT_EQ(
            StoreMemImgInGraphImage(&target.image, image.get(), 0, 1, 3, 1, 1, 0, 0x00ABCDEF, skip),
            0);
        EXPECT_EQ(target.Get(1, 0) & 0xFFFFFF, 0x000100u);
        EXPECT_EQ(target.Get(2, 0), skip == 1 ? 0x22222222u : 0x00ABCDEFu) << "skip " << skip;
        EXPECT_EQ(target.Get(3, 0) & 0xFFFFFF, 0x000300u);
    }
}

TEST(MemImgConvertTest, UnsupportedImagesLeaveTheGraphImageUntouched) {
    struct Kind {
        int color_type, palette_flag, alpha_flag;
    };
    for (const Kind& k : {Kind{1, 0, 1}, Kind{0, 0, 1}, Kind{1, 1, 0}, Kind{0, 1, 0}, Kind{2, 0, 0},
                          Kind{3, 0, 0}}) {
        Image image(2, 2, k.color_type, k.palette_flag, k.alpha_flag);
        FillMemImgRaw(image.get(), nullptr, 0x5A);
        Picture target(2, 2, FillXrgb32Format);
        EXPECT_EQ(StoreMemImgInGraphImage(&target.image, image.get(), 0, 0, 2, 2, 0, 0, 0, 0), -1);
        EXPECT_EQ(target.store, std::vector<std::uint8_t>(16, 0));
    }
    Image plain(2, 2, 1);
    Picture small(1, 1, FillXrgb32Format);
    EXPECT_EQ(StoreMemImgInGraphImage(&small.image, plain.get(), 0, 0, 2, 2, 0, 0, 0, 0), -1);
    EXPECT_EQ(small.store, std::vector<std::uint8_t>(4, 0));
}

TEST(MemImgConvertTest, CopyConvertsBetweenLayouts) {
    Image source(3, 2, 0);
    source.Set(0, 0, 0xFFFF);
    source.Set(2, 1, 0xF800);
    Image destination(4, 3, 1, 0, 0, 0, 1);
    BuildMemImgRunTable(destination.get());
    ASSERT_EQ(destination.body().RunTableValid, 1);

    // Each field widened by a shift, as the conversion does.
    ASSERT_EQ(CopyMemImgRect(destination.get(), source.get(), nullptr, 1, 1), 0);
    EXPECT_EQ(destination.Get(1, 1) & 0xFFFFFF, 0xF8FCF8u);
    EXPECT_EQ(destination.Get(3, 2) & 0xFFFFFF, 0xF80000u);
    EXPECT_EQ(destination.Get(0, 0), 0u);
    EXPECT_EQ(destination.body().RunTableValid, 0);

    const Rect part{2, 1, 3, 2};
    ASSERT_EQ(CopyMemImgRect(destination.get(), source.get(), &part, 0, 0), 0);
    EXPECT_EQ(destination.Get(0, 0) & 0xFFFFFF, 0xF80000u);
}

TEST(MemImgConvertTest, CopyRefusesEmptyOrOutsideRectangles) {
    Image source(3, 3, 1);
    FillMemImgRaw(source.get(), nullptr, 0x00FFFFFF);
    Image destination(3, 3, 1);
    const std::vector<std::uint8_t> before = destination.Bytes();
    for (const Rect& rect : {Rect{1, 0, 1, 3}, Rect{0, 2, 3, 2}, Rect{2, 0, 1, 3}, Rect{0, 0, 4, 3},
                             Rect{-1, 0, 2, 3}}) {
        EXPECT_EQ(CopyMemImgRect(destination.get(), source.get(), &rect, 0, 0), -1);
    }
    EXPECT_EQ(CopyMemImgRect(destination.get(), source.get(), nullptr, 1, 0), -1);
    EXPECT_EQ(destination.Bytes(), before);
}

}  // namespace
}  // namespace layer
