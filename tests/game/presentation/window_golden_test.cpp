// Pictures of the two windows on the software back screen with the installed Japanese fonts,
// compared with golden pictures of our own output.
#include <gtest/gtest.h>

#include <string>

#include "tests/game/presentation/window_scenes.h"
#include "tests/layer/graphics/software_screen_fixture.h"

namespace {

class WindowGolden : public test::WindowScreenOn<test::SoftwareScreens>,
                     public testing::WithParamInterface<test::WindowScene> {};

TEST_P(WindowGolden, GivesItsGolden) {
    const test::WindowScene& scene = GetParam();
    scene.draw();
    EXPECT_TRUE(
        test::MatchesGolden(Picture(layer::direct_draw.back_image, 640, 480), scene.golden));
}

INSTANTIATE_TEST_SUITE_P(Scenes, WindowGolden, testing::ValuesIn(test::kWindowScenes),
                         [](const testing::TestParamInfo<test::WindowScene>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
