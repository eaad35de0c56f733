// The message and choice window scenes drawn on the OpenGL route and compared with the software
// route's goldens; their text with GL goldens of its own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/game/presentation/window_scenes.h"
#include "tests/layer/graphics_gl/gl_fixture.h"

namespace {

class GlWindowScenes : public test::WindowScreenOn<test::GlScreens>,
                       public testing::WithParamInterface<test::WindowScene> {};

TEST_P(GlWindowScenes, MatchTheSoftwareGoldens) {
    const test::WindowScene& scene = GetParam();
    scene.draw();
    const test::RgbaImage shown = Shown(640, 480);
    std::vector<test::RouteRule> rules{test::RouteRule{}};
    for (const test::RouteRule& text : test::TextAreaRules(scene.text))
        rules.push_back(text);
    EXPECT_TRUE(test::MatchesGoldenOnOtherRoute(shown, scene.golden, rules));
    EXPECT_TRUE(test::TextAreasMatchGoldens(shown, scene.golden, scene.text));
}

INSTANTIATE_TEST_SUITE_P(Scenes, GlWindowScenes, testing::ValuesIn(test::kWindowScenes),
                         [](const testing::TestParamInfo<test::WindowScene>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
