// Text through the public entries onto the software back screen, over the fixed glyphs of the
// fake glyph source: plain and edged glyphs straight into the screen, anti-aliased and blended
// ones through a work surface.
#include <gtest/gtest.h>

#include "platform/fonts/fake_glyph_source.h"
#include "tests/layer/graphics/software_screen_fixture.h"
#include "tests/layer/graphics/text_scene.h"

namespace {

class SoftwareText : public test::SoftwareScreens {
  protected:
    void SetUp() override {
        test::UseTextSceneGlyphs();
        SoftwareScreens::SetUp();
    }
    void TearDown() override {
        SoftwareScreens::TearDown();
        platform::UseGlyphSource(nullptr);
    }
};

TEST_F(SoftwareText, PlainEdgedAntiAliasedAndBlendedText) {
    test::DrawTextScene();
    EXPECT_TRUE(test::MatchesGolden(Picture(layer::direct_draw.back_image, 80, 84),
                                    "layer/graphics/text_on_back_screen"));
}

}  // namespace
