// The screen flash and the two kinds of transition half-way on the software back screen,
// compared with golden pictures of our own output.
#include <gtest/gtest.h>

#include <string>

#include "tests/game/program/screen_transition_scenes.h"

namespace {

class ScreenTransitionGolden : public test::ScreenTransitionOn<test::SoftwareScreens>,
                               public testing::WithParamInterface<test::TransitionScene> {};

TEST_P(ScreenTransitionGolden, GivesItsGolden) {
    const test::TransitionScene& scene = GetParam();
    EXPECT_TRUE(test::MatchesGolden(scene.picture(), scene.golden));
}

INSTANTIATE_TEST_SUITE_P(Scenes, ScreenTransitionGolden, testing::ValuesIn(test::kTransitionScenes),
                         [](const testing::TestParamInfo<test::TransitionScene>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
