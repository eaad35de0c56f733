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

// The flash and the plain fade. The rule transition is left out while a known fault stands: on
// this route the first draw with a blend image after the device starts draws the graph as if
// there were no blend image (the same draw again honours it), so the whole captured screen
// covers the new one.
INSTANTIATE_TEST_SUITE_P(Scenes, GlScreenTransitionScenes,
                         testing::ValuesIn(std::begin(test::kTransitionScenes),
                                           std::end(test::kTransitionScenes) - 1),
                         [](const testing::TestParamInfo<test::TransitionScene>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
