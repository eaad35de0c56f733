// The screen flash and the two transitions half-way drawn on the OpenGL route and compared with
// the software route's goldens.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "tests/game/program/screen_transition_scenes.h"
#include "tests/layer/graphics_gl/gl_fixture.h"

namespace {

class GlScreenTransitionScenes : public test::ScreenTransitionOn<test::GlScreens>,
                                 public testing::WithParamInterface<test::TransitionScene> {};

TEST_P(GlScreenTransitionScenes, MatchTheSoftwareGoldens) {
    const test::TransitionScene& scene = GetParam();
    EXPECT_TRUE(
        test::MatchesGoldenOnOtherRoute(scene.picture(), scene.golden, {test::RouteRule{}}));
}

// The flash and the plain fade; the rule transition follows with its ramp band.
INSTANTIATE_TEST_SUITE_P(Scenes, GlScreenTransitionScenes,
                         testing::ValuesIn(std::begin(test::kTransitionScenes),
                                           std::end(test::kTransitionScenes) - 1),
                         [](const testing::TestParamInfo<test::TransitionScene>& info) {
                             return std::string(info.param.name);
                         });

using GlRuleTransition = test::ScreenTransitionOn<test::GlScreens>;

// The rule image's soft ramp steps by 4, 2 or 1 on the hardware where the software renderer
// takes its weight table, so across the diagonal band the picture has a GL golden of its own;
// the corners the band leaves are the software route's.
TEST_F(GlRuleTransition, MatchesTheSoftwareGoldenOutsideItsRampBand) {
    const test::TransitionScene& scene = std::end(test::kTransitionScenes)[-1];
    ASSERT_STREQ(scene.name, "ARuleTransitionHalfWay");
    const test::RgbaImage picture = scene.picture();
    const char* const band = "the ramp band: checked against the GL golden below";
    const char* const corner = "outside the ramp band";
    EXPECT_TRUE(
        test::MatchesGoldenOnOtherRoute(picture, scene.golden,
                                        {test::AreaRule({0, 0, 640, 480}, 255, 0.0, band),
                                         test::AreaRule({0, 0, 260, 150}, 2, 0.0, corner),
                                         test::AreaRule({300, 300, 640, 480}, 2, 0.0, corner)}));
    EXPECT_TRUE(test::MatchesGolden(picture, "game/program_gl/rule-transition", 2));
}

}  // namespace
