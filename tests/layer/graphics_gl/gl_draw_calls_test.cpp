// The draw-call pictures drawn again on the OpenGL route and compared with the software
// route's goldens.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/layer/graphics/draw_call_scenes.h"
#include "tests/layer/graphics_gl/gl_fixture.h"

namespace {

// The software renderer samples a rotated draw at each pixel's top-left corner, the hardware
// at its centre: the two pick neighbouring texels.
test::RouteRule RotatedDraws() {
    test::RouteRule rule;
    rule.left = 190;
    rule.right = 262;
    rule.reach = 2;
    rule.edge_share = 1.0;
    rule.why = "rotated draws sampled at the pixel's corner or centre";
    return rule;
}

// The turned rotated draw and the four-corner draw go through the software renderer's quad with
// its corners cut to whole pixels, losing rows and columns of edge texels that the hardware's
// exact quads keep: only their shapes are compared.
test::RouteRule TurnedAndCornerDraws() {
    test::RouteRule rule;
    rule.left = 262;
    rule.right = 390;
    rule.reach = 1;
    rule.edge_share = 1.0;
    rule.why = "quads with whole-pixel corners against exact ones";
    rule.backgrounds = {0xC8A028, 0x5A5A5A};
    return rule;
}

// The subtractive row.
test::RouteRule SubtractiveRow() {
    test::RouteRule rule;
    rule.top = 8 + 3 * 66;
    rule.bottom = rule.top + 60;
    rule.tolerance = 3;
    rule.why =
        "textured subtraction: the software renderer subtracts the source through its parameter "
        "table, the hardware inverts, adds the source times the parameter / 255 and inverts "
        "again";
    return rule;
}

class GlDrawCalls : public test::GlScreens {
  protected:
    void SetUp() override {
        test::GlScreens::SetUp();
        ramp_ = test::PictureGraph(32, 24, test::Ramp, 1);
        ASSERT_GE(ramp_, 0);
        test::DrawBackdrop();
    }

    int ramp_ = -1;
};

// The rotated draw in the subtractive row: the software renderer's rotated span scales the
// subtracted source through its own parameter steps, up to 8 levels from the hardware's
// factor of 160 / 255 across the ramp; only the shape is compared.
test::RouteRule SubtractiveRotatedDraw() {
    test::RouteRule rule = RotatedDraws();
    rule.top = SubtractiveRow().top;
    rule.bottom = SubtractiveRow().bottom;
    rule.why = "rotated subtraction through the software renderer's parameter steps";
    rule.backgrounds = {0xC8A028, 0x5A5A5A};
    return rule;
}

// The multiplying row: the hardware's multiply ignores the texture's alpha, so the transparent
// corner's black texels darken the target, where the software renderer skips the transparent
// colour. The row's drawn pixels are checked by the multiplying test of its own.
test::RouteRule MultiplyingRow() {
    test::RouteRule rule;
    // From the end of the row above to the next row: the rotated draws reach beyond 60 rows.
    rule.top = 8 + 3 * 66 + 60;
    rule.bottom = 8 + 5 * 66;
    rule.right = 400;
    rule.tolerance = 255;
    rule.why = "multiplying ignores the texture's alpha: transparent texels are drawn too";
    return rule;
}

std::vector<test::RouteRule> BlendModesRules() {
    return {test::RouteRule{},      SubtractiveRow(),         RotatedDraws(),
            TurnedAndCornerDraws(), SubtractiveRotatedDraw(), MultiplyingRow()};
}

std::vector<test::RouteRule> ShapesRules() {
    test::RouteRule blend_draw;
    blend_draw.left = 210;
    blend_draw.top = 8;
    blend_draw.right = 242;
    blend_draw.bottom = 32;
    blend_draw.tolerance = 255;
    blend_draw.why = "the blend image's ramp, checked against its GL golden";
    // Stretched by 2.5 and 2.67, texel boundaries fall a pixel apart: the software renderer
    // steps from each pixel's corner, the hardware samples at its centre.
    test::RouteRule stretched;
    stretched.left = 40;
    stretched.right = 194;
    stretched.edge_share = 1.0;
    stretched.why = "stretched by a fraction, sampled at the pixel's corner or centre";
    return {test::RouteRule{}, blend_draw, stretched};
}

TEST_F(GlDrawCalls, EveryCallUnderEveryBlendMode) {
    test::DrawEveryCallUnderEveryBlendMode(ramp_);
    EXPECT_TRUE(test::MatchesGoldenOnOtherRoute(
        Shown(560, 470), "layer/graphics/draw_calls_blend_modes", BlendModesRules()));
}

// The blend image's ramp steps by 4, 2 or 1 on the hardware where the software renderer takes
// its weight table: inside the band the draw at (210, 8) has a GL golden of its own, and the
// rest of the picture is the software route's.
TEST_F(GlDrawCalls, MultiplyingDrawsFullyTransparentTexelsToo) {
    const int graph = test::HalfTransparentBlackGraph(16, 8, 1);
    ASSERT_GE(graph, 0);
    test::DrawMultipliedHalfTransparentBlack(graph);
    std::vector<test::RouteRule> exact(1);
    exact[0].tolerance = 0;
    exact[0].edge_share = 0;
    EXPECT_TRUE(test::MatchesGoldenOnOtherRoute(test::BackScreenPicture(16, 12),
                                                "layer/graphics/multiplied_half_transparent_black",
                                                exact));
}

TEST_F(GlDrawCalls, BrightColourBlendImageAndReversedCorners) {
    const int blend = test::BlendRampGraph(32, 24, 1);
    ASSERT_GE(blend, 0);
    test::DrawShapes(ramp_, blend);
    const test::RgbaImage shown = Shown(380, 90);
    EXPECT_TRUE(
        test::MatchesGoldenOnOtherRoute(shown, "layer/graphics/draw_calls_shapes", ShapesRules()));
    EXPECT_TRUE(
        test::MatchesGolden(Crop(shown, 210, 8, 32, 24), "layer/graphics_gl/blend_image_ramp", 2));
}

// The scenes on a 16-bit screen against the software route's 16-bit goldens, read from the
// back screen's texture through the screen's format.
class GlDrawCallsOnSixteenBits : public GlDrawCalls,
                                 public testing::WithParamInterface<test::DrawCallScene> {
  protected:
    void SetUp() override {
        forced_ = platform::ForcedDisplayFormat::kR5G6B5;
        GlDrawCalls::SetUp();
    }
};

TEST_P(GlDrawCallsOnSixteenBits, MatchTheSoftwareGoldens) {
    const test::DrawCallScene& scene = GetParam();
    ASSERT_EQ(layer::direct_draw.screen_bits, 16);
    const int blend = test::BlendRampGraph(32, 24, 1);
    ASSERT_GE(blend, 0);
    scene.draw(ramp_, blend);
    std::vector<test::RouteRule> rules =
        std::string(scene.name) == "Shapes" ? ShapesRules() : BlendModesRules();
    // Every difference of the 32-bit screen, counted in steps of a 5-bit channel: the software
    // renderer truncates to the screen's channels at each step of a blend, the hardware rounds
    // once; and 16-bit textures with a transparent bit keep 5 bits of green.
    for (test::RouteRule& rule : rules) {
        rule.tolerance = rule.tolerance >= 255 ? 255 : (rule.tolerance * 255 + 30) / 31;
    }
    EXPECT_TRUE(test::MatchesGoldenOnOtherRoute(test::BackScreenPicture(scene.width, scene.height),
                                                test::SceneGolden(scene, 16), rules));
}

INSTANTIATE_TEST_SUITE_P(Scenes, GlDrawCallsOnSixteenBits, testing::ValuesIn(test::kDrawCallScenes),
                         [](const testing::TestParamInfo<test::DrawCallScene>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
