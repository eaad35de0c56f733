// String layout, measuring and drawing into software images on the fake glyph source.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "layer/graphics/draw_settings.h"
#include "layer/media/string_layout.h"
#include "layer/media/string_route.h"
#include "tests/layer/media/font_fixture.h"
#include "tests/support/sjis.h"

namespace {

using test::FontTest;

int Measure(const char* text, int handle, int length = -1, int vertical = 0, int* size = nullptr) {
    return layer::DrawStringThroughCache(0, 0, 0, 0, 1.0, 1.0, text, 0, nullptr, nullptr, 1, handle,
                                         0, length, vertical, size);
}

std::uint32_t Pixel32(const layer::MEMIMG& image, int x, int y) {
    std::uint32_t value = 0;
    std::memcpy(&value, image.Pixels + y * image.Body->Pitch + x * 4, 4);
    return value;
}

TEST_F(FontTest, NegativeGapNarrowsEveryAdvance) {
    const int handle = MakeFont(0);
    EXPECT_EQ(Measure("AAA", handle), 24);
    layer::SetFontCharacterGap(-2, handle);
    EXPECT_EQ(Measure("AAA", handle), 18);
    layer::SetFontCharacterGap(-9, handle);
    EXPECT_EQ(Measure("A", handle), -1 + 0);
}

TEST_F(FontTest, LengthOneOnALeadByteTakesTheWholeCharacter) {
    const int handle = MakeFont(0);
    const std::string text = test::Sjis(u8"あい");
    EXPECT_EQ(Measure(text.c_str(), handle, 1), 8);
    EXPECT_EQ(Measure(text.c_str(), handle, 3), 16);
}

TEST_F(FontTest, LongStringMeasuresLikeShortOnes) {
    const int handle = MakeFont(0);
    const std::string text(300, 'A');
    EXPECT_EQ(Measure(text.c_str(), handle), 300 * 8);
    EXPECT_EQ(Measure(text.c_str(), handle, 10), 80);
}

TEST_F(FontTest, VerticalTextReportsLineThenHeight) {
    const int handle = MakeFont(1);
    int size[2] = {};
    EXPECT_EQ(Measure("AB", handle, -1, 1, size), 20);
    EXPECT_EQ(size[0], 18);
    EXPECT_EQ(size[1], 20);
    EXPECT_EQ(Measure("AB", handle, -1, 0, size), 20);
    EXPECT_EQ(size[0], 20);
    EXPECT_EQ(size[1], 18);
}

TEST_F(FontTest, EmptyStringMeasuresZero) {
    EXPECT_EQ(Measure("", MakeFont(0)), 0);
    EXPECT_EQ(Measure("A", 12345), -1);
}

TEST_F(FontTest, GlyphsAreClippedOnTheLeftAndNothingLeavesTheClip) {
    const int handle = MakeFont(0);
    layer::MEMIMG& back = test::TextGraphics().back;
    const layer::Rect clip{10, 0, 100, 100};
    // The glyph box runs from x 1 + 6 to 7 + 6 = 13; x 10 cuts it.
    ASSERT_EQ(layer::DrawStringThroughCache(1, 6, 0, 0, 1.0, 1.0, "A", 0xFFFFFF, &back, &clip, 1,
                                            handle, 0, -1, 0, nullptr),
              8);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            const bool inside = x >= 10 && x < 13 && y >= 2 && y < 10;
            EXPECT_EQ(Pixel32(back, x, y), inside ? 0xFFFFFFu : 0u) << x << "," << y;
        }
    }
}

TEST_F(FontTest, VerticalGlyphIsTurnedClockwise) {
    platform::FakeGlyphs().box_width = 2;
    platform::FakeGlyphs().box_height = 1;
    platform::FakeGlyphs().pixels = {16, 0};
    const int handle = MakeFont(0);
    layer::MEMIMG& back = test::TextGraphics().back;
    const layer::Rect clip{0, 0, 640, 480};
    layer::DrawStringThroughCache(1, 0, 0, 0, 1.0, 1.0, "A", 0xFF, &back, &clip, 1, handle, 0, -1,
                                  1, nullptr);
    // Top 2 puts the glyph's only row at column 16 - 2 - 1; its first pixel on row 0 + 1.
    EXPECT_EQ(Pixel32(back, 13, 1), 0xFFu);
    EXPECT_EQ(Pixel32(back, 13, 2), 0u);
}

TEST_F(FontTest, DrawingWithoutATargetFails) {
    const int handle = MakeFont(0);
    const layer::Rect clip{0, 0, 640, 480};
    EXPECT_EQ(layer::DrawStringThroughCache(1, 0, 0, 0, 1.0, 1.0, "A", 0, nullptr, &clip, 1, handle,
                                            0, -1, 0, nullptr),
              -1);
}

struct WriteCase {
    const char* name;
    int screen_bits;
    int type;
    int bytes;
    std::uint32_t pixel;
};

void PrintTo(const WriteCase& write, std::ostream* out) {
    *out << write.name;
}

class GlyphWriteTest : public FontTest, public testing::WithParamInterface<WriteCase> {};

TEST_P(GlyphWriteTest, WritesThePixelOfTheDepthAndType) {
    const WriteCase& write = GetParam();
    test::TextGraphics().screen_bits = write.screen_bits;
    platform::FakeGlyphs().level = 9;
    const int handle = MakeFont(write.type);
    layer::MEMIMG image;
    ASSERT_EQ(layer::SetupMemImg(&image, 32, 32, -1, 0, write.bytes == 2 ? 0 : 1, 0, 0, 0, nullptr),
              0);
    layer::FillMemImgRaw(&image, nullptr, 0);
    const layer::Rect clip{0, 0, 32, 32};
    const int colour = write.screen_bits == 16 ? 0xF800 : 0xFF0000;
    ASSERT_EQ(layer::DrawStringThroughCache(1, 0, 0, 0, 1.0, 1.0, "A", colour, &image, &clip, 1,
                                            handle, 0, -1, 0, nullptr),
              8);
    std::uint32_t value = 0;
    std::memcpy(&value, image.Pixels + 2 * image.Body->Pitch + 1 * write.bytes, write.bytes);
    EXPECT_EQ(value, write.pixel);
    layer::ReleaseMemImg(&image);
}

INSTANTIATE_TEST_SUITE_P(Depths, GlyphWriteTest,
                         testing::Values(WriteCase{"Bits16Plain", 16, 0, 2, 0xF800},
                                         WriteCase{"Bits16Grey", 16, 2, 4, 0x0080F800},
                                         WriteCase{"Bits32Plain", 32, 0, 4, 0xFF0000},
                                         WriteCase{"Bits32Grey", 32, 2, 4, 0x80FF0000}),
                         [](const testing::TestParamInfo<WriteCase>& info) {
                             return info.param.name;
                         });

TEST_F(FontTest, BrightColourMultipliesTheText) {
    layer::draw_settings.bright_colour = 0x808080;
    const int handle = MakeFont(0);
    layer::MEMIMG& back = test::TextGraphics().back;
    const layer::Rect clip{0, 0, 640, 480};
    layer::DrawStringThroughCache(1, 0, 0, 0, 1.0, 1.0, "A", 0xFFFFFF, &back, &clip, 1, handle, 0,
                                  -1, 0, nullptr);
    layer::draw_settings.bright_colour = 0xFFFFFF;
    EXPECT_EQ(Pixel32(back, 1, 2), 0x808080u);
}

struct RouteCase {
    const char* name;
    int screen_bits;
    int type;
    int blend_mode;
    int blend_parameter;
    int software_drawing;
    layer::StringRoute route;
};

void PrintTo(const RouteCase& route, std::ostream* out) {
    *out << route.name;
}

class StringRouteTest : public testing::TestWithParam<RouteCase> {};

TEST_P(StringRouteTest, PicksTheRoute) {
    const RouteCase& c = GetParam();
    EXPECT_EQ(layer::ChooseStringRoute(c.screen_bits, c.type, c.blend_mode, c.blend_parameter,
                                       c.software_drawing),
              c.route);
}

INSTANTIATE_TEST_SUITE_P(
    Routes, StringRouteTest,
    testing::Values(
        RouteCase{"GreyOn16BitsWithoutBlend", 16, 2, 0, 0, 1, layer::StringRoute::kWorkSurface},
        RouteCase{"PlainTranslucent255", 32, 0, 1, 255, 1, layer::StringRoute::kSoftwareScreen},
        RouteCase{"PlainTranslucent254", 32, 0, 1, 254, 1, layer::StringRoute::kWorkSurface},
        RouteCase{"PlainAdditive", 32, 1, 2, 255, 1, layer::StringRoute::kWorkSurface},
        RouteCase{"PlainOnDirectDraw", 32, 0, 0, 0, 0, layer::StringRoute::kPreparedDraw},
        RouteCase{"GreyOnPalette", 8, 2, 0, 0, 1, layer::StringRoute::kPreparedDraw},
        RouteCase{"BlendOnPalette", 8, 0, 2, 128, 1, layer::StringRoute::kPreparedDraw}),
    [](const testing::TestParamInfo<RouteCase>& info) { return info.param.name; });

}  // namespace
