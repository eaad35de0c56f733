#include <gtest/gtest.h>

#include <ostream>

#include "layer/graphics/draw_setters.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/screen_colours.h"
#include "tests/layer/graphics/graphics_fixture.h"

namespace {

struct ColourCase {
    const char* name;
    platform::ForcedDisplayFormat format;
    int red;
    int green;
    int blue;
    std::uint32_t pixel;

    friend void PrintTo(const ColourCase& c, std::ostream* os) { *os << c.name; }
};

class ScreenColours : public testing::TestWithParam<ColourCase> {
  protected:
    void SetUp() override { test::StartDisplayGraphics(GetParam().format); }
    void TearDown() override { test::StopGraphics(); }
};

TEST_P(ScreenColours, PackEveryUnusedBit) {
    const ColourCase& c = GetParam();
    EXPECT_EQ(static_cast<std::uint32_t>(layer::RgbToPixel(c.red, c.green, c.blue)), c.pixel);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ScreenColours,
    testing::Values(
        ColourCase{"White565", platform::ForcedDisplayFormat::kR5G6B5, 255, 255, 255, 0xFFFF},
        ColourCase{"Red565", platform::ForcedDisplayFormat::kR5G6B5, 255, 0, 0, 0xF800},
        ColourCase{"Green555", platform::ForcedDisplayFormat::kX1R5G5B5, 0, 255, 0, 0x83E0},
        ColourCase{"Xrgb", platform::ForcedDisplayFormat::kNone, 1, 2, 3, 0xFF010203},
        ColourCase{"Xbgr", platform::ForcedDisplayFormat::kX8B8G8R8, 1, 2, 3, 0xFF030201},
        ColourCase{"WideComponentsTakeTheLowByte", platform::ForcedDisplayFormat::kNone, 0x1FF,
                   0x100, 0x2AB, 0xFFFF00AB}),
    [](const testing::TestParamInfo<ColourCase>& info) { return info.param.name; });

TEST(ScreenColourValues, PixelToRgbWidensEachChannel) {
    test::StartDisplayGraphics(platform::ForcedDisplayFormat::kR5G6B5);
    int red = 0;
    int green = 0;
    int blue = 0;
    EXPECT_EQ(layer::PixelToRgb(0xF800, &red, &green, &blue), 0);
    EXPECT_EQ(red, 255);
    EXPECT_EQ(green, 0);
    EXPECT_EQ(blue, 0);
    test::StopGraphics();
}

TEST(ScreenColourValues, PaletteScreensTakeTheFirstNearestEntry) {
    test::StartDisplayGraphics(platform::ForcedDisplayFormat::kPalette8);
    for (auto& entry : layer::direct_draw.palette_entries) {
        entry = {200, 200, 200, 0};
    }
    layer::direct_draw.palette_entries[0] = {0, 0, 0, 0};
    layer::direct_draw.palette_entries[5] = {0, 0, 0, 0};
    layer::direct_draw.palette_entries[9] = {250, 1, 0, 0};
    EXPECT_EQ(layer::RgbToPixel(0, 0, 0), 0);
    EXPECT_EQ(layer::RgbToPixel(255, 0, 0), 9);
    int red = 0;
    int green = 0;
    int blue = 0;
    EXPECT_EQ(layer::PixelToRgb(256, &red, &green, &blue), -1);
    test::StopGraphics();
}

TEST(ScreenColourValues, SoftwareScreensUseTheRendererFormat) {
    test::StartSoftwareGraphics(32);
    EXPECT_EQ(static_cast<std::uint32_t>(layer::RgbToPixel(1, 2, 3)) & 0xFFFFFF, 0x010203u);
    test::StopGraphics();
    test::StartSoftwareGraphics(16);
    EXPECT_EQ(layer::RgbToPixel(255, 0, 0), 0xF800);
    test::StopGraphics();
}

TEST(ScreenQueries, ScreensHaveTheDefaultSizeBeforeAMode) {
    int width = 0;
    int height = 0;
    int bits = 0;
    EXPECT_EQ(layer::GetGraphDimensions(layer::kDrawTargetBack, &width, &height), 0);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    layer::QueryScreenMode(nullptr, nullptr, &bits);
    EXPECT_EQ(bits, 16);
    EXPECT_EQ(layer::GetScreenColourBits(), 16);
    EXPECT_EQ(layer::GetGraphDimensions(0x08000000, &width, &height), -1);
}

TEST(ScreenQueries, TextureDrawingIsOffWhenSwitchedOff) {
    layer::SetTextureDrawing(0);
    EXPECT_EQ(layer::IsTextureDrawingActive(), 0);
    EXPECT_EQ(layer::IsDirect3DDisabled(), 1);
    layer::SetTextureDrawing(1);
    layer::direct_draw = layer::DirectDrawContext{};
}

TEST(SurfaceFormats, MasksGiveTheirPositionsAndWidths) {
    layer::DdPixelFormat source;
    layer::FillRgbPixelFormat(&source, 16, 0xF800, 0x07E0, 0x001F, 0);
    EXPECT_EQ(source.size, 32u);
    EXPECT_EQ(source.flags, 0x40u);
    layer::PixelFormat format;
    layer::ConvertSurfacePixelFormat(source, &format);
    EXPECT_EQ(format.bytes_per_pixel, 2);
    EXPECT_EQ(format.red_position, 11);
    EXPECT_EQ(format.green_position, 5);
    EXPECT_EQ(format.blue_position, 0);
    EXPECT_EQ(format.red_width, 5);
    EXPECT_EQ(format.green_width, 6);
    EXPECT_EQ(format.blue_width, 5);
    EXPECT_EQ(format.unused_mask, 0u);
    layer::FillRgbPixelFormat(&source, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    layer::ConvertSurfacePixelFormat(source, &format);
    EXPECT_EQ(format.unused_mask, 0xFF000000u);
    EXPECT_EQ(format.unused_position, 24);
    EXPECT_EQ(format.unused_width, 8);
}

TEST(SurfaceFormats, UnusedBitsAreFilledInTheRectangleOnly) {
    layer::DdPixelFormat source;
    layer::FillRgbPixelFormat(&source, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    layer::PixelFormat format;
    layer::ConvertSurfacePixelFormat(source, &format);
    std::uint32_t pixels[2][2] = {{1, 2}, {3, 4}};
    layer::FillUnusedBitsRect({1, 0, 2, 2}, reinterpret_cast<std::uint8_t*>(pixels), 8, format,
                              0xFF);
    EXPECT_EQ(pixels[0][0], 1u);
    EXPECT_EQ(pixels[0][1], 0xFF000002u);
    EXPECT_EQ(pixels[1][1], 0xFF000004u);
}

}  // namespace
