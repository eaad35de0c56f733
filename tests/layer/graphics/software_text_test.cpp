// Text through the public entries onto the software back screen, over the fixed glyphs of the
// fake glyph source: plain and edged glyphs straight into the screen, anti-aliased and blended
// ones through a work surface.
#include <gtest/gtest.h>

#include "layer/core/layer_api.h"
#include "layer/media/font_record.h"
#include "layer/media/media_services.h"
#include "platform/fonts/fake_glyph_source.h"
#include "tests/layer/graphics/software_screen_fixture.h"

namespace {

class SoftwareText : public test::SoftwareScreens {
  protected:
    void SetUp() override {
        platform::ResetFakeGlyphs();
        // A 6 x 8 glyph of grey levels 0..16 across.
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 6; ++x) {
                platform::FakeGlyphs().pixels.push_back(
                    static_cast<std::uint8_t>(x == 0 || y == 7 ? 0 : (x * 3 + y) % 17));
            }
        }
        platform::UseGlyphSource(&platform::FakeGlyphSource());
        SoftwareScreens::SetUp();
        layer::PutBox(0, 0, 640, 480, layer::RgbToPixel(30, 60, 90), 1);
    }
    void TearDown() override {
        SoftwareScreens::TearDown();
        platform::UseGlyphSource(nullptr);
    }
};

TEST_F(SoftwareText, PlainEdgedAntiAliasedAndBlendedText) {
    const int white = layer::RgbToPixel(255, 255, 255);
    const int red = layer::RgbToPixel(255, 0, 0);
    EXPECT_EQ(layer::PrintText(4, 4, "Text AB", white, 0), 0);
    const int edged =
        layer::CreateFontToHandle(nullptr, 16, -1, layer::kFontTypeEdge, -1, 1, 0, -1, -1);
    ASSERT_GE(edged, 0);
    EXPECT_EQ(layer::PrintTextWithFont(4, 24, "Edge", white, edged, red, 0), 0);
    const int smooth =
        layer::CreateFontToHandle(nullptr, 16, -1, layer::kFontTypeAntiAlias, -1, -1, 0, -1, -1);
    ASSERT_GE(smooth, 0);
    EXPECT_EQ(layer::PrintTextWithFont(4, 44, "Smooth", white, smooth, 0, 0), 0);
    layer::ChangeBlendMode(1, 128);
    EXPECT_EQ(layer::PrintText(4, 64, "Half", layer::RgbToPixel(255, 255, 0), 0), 0);
    layer::ChangeBlendMode(0, 0);
    EXPECT_TRUE(test::MatchesGolden(Picture(layer::direct_draw.back_image, 80, 84),
                                    "layer/graphics/text_on_back_screen"));
}

}  // namespace
