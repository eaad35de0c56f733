// The text scene drawn again on the OpenGL route, through the font texture caches, and compared
// with the software route's golden.
#include <gtest/gtest.h>

#include "tests/layer/graphics/text_scene.h"
#include "tests/layer/graphics_gl/gl_fixture.h"

namespace {

class GlText : public test::GlScreens {
  protected:
    void SetUp() override {
        test::UseTextSceneGlyphs();
        test::GlScreens::SetUp();
    }
    void TearDown() override {
        test::GlScreens::TearDown();
        platform::UseGlyphSource(nullptr);
    }
};

TEST_F(GlText, PlainEdgedAntiAliasedAndBlendedText) {
    test::DrawTextScene();
    const test::RgbaImage shown = Shown(80, 84);
    // The texture cache keeps an anti-aliased glyph's 17 levels as 4-bit alpha, (level - 1) / 15,
    // where the software renderer mixes in sixteenths: that row has a GL golden of its own.
    test::RouteRule anti_aliased;
    anti_aliased.top = 40;
    anti_aliased.bottom = 60;
    anti_aliased.tolerance = 255;
    anti_aliased.why =
        "anti-aliased glyphs in 4-bit texture alpha, checked against their GL golden";
    EXPECT_TRUE(test::MatchesGoldenOnOtherRoute(shown, "layer/graphics/text_on_back_screen",
                                                {test::RouteRule{}, anti_aliased}));
    EXPECT_TRUE(
        test::MatchesGolden(Crop(shown, 0, 40, 80, 20), "layer/graphics_gl/text_anti_aliased", 2));
}

}  // namespace
