// The demo's map-side events played through the real frame loop on the OpenGL route (the demo
// started on the offscreen driver), their shown frames compared with the software route's
// goldens.
#include <gtest/gtest.h>

#include <string>

#include "platform/gfx3d/gl_context.h"
#include "tests/game/program/map_commands_demo_steps.h"
#include "tests/support/golden.h"

namespace game {
namespace {

class GlMapCommandsDemo : public MapCommandsDemo,
                          public testing::WithParamInterface<MapCommandScene> {
  protected:
    void SetUp() override {
        MapCommandsDemo::SetUp();
        ASSERT_TRUE(platform::HasGlContext()) << "the demo did not start on the GL route";
    }
};

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
