// The demo's map-side events played through the real frame loop on the OpenGL route (the demo
// started on the offscreen driver), their shown frames compared with the software route's
// goldens.
#include <gtest/gtest.h>

#include <string>

#include "tests/game/program/map_commands_demo_steps.h"
#include "tests/support/golden.h"

namespace game {
namespace {

class GlMapCommandsDemo : public OnGlRoute<MapCommandsDemo>,
                          public testing::WithParamInterface<MapCommandScene> {};

TEST_P(GlMapCommandsDemo, MatchesTheSoftwareGolden) {
    ASSERT_NO_FATAL_FAILURE((this->*GetParam().play)());
    EXPECT_TRUE(
        test::MatchesGoldenOnOtherRoute(ShownFrame(), GetParam().golden, {test::RouteRule{}}));
}

INSTANTIATE_TEST_SUITE_P(Scenes, GlMapCommandsDemo, testing::ValuesIn(kMapCommandScenes),
                         [](const testing::TestParamInfo<MapCommandScene>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace game
