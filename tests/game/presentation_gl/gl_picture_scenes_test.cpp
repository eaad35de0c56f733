// The picture scenes drawn on the OpenGL route and compared with the software route's goldens;
// their text with GL goldens of its own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/game/presentation/picture_scenes.h"
#include "tests/layer/graphics_gl/gl_fixture.h"

namespace {

class GlPictureScenes : public test::PictureSceneOn<test::GlScreens>,
                        public testing::WithParamInterface<test::PictureScene> {};

TEST_P(GlPictureScenes, MatchTheSoftwareGoldens) {
    const test::PictureScene& scene = GetParam();
    const test::RgbaImage shown = scene.picture();
    std::vector<test::RouteRule> rules{test::RouteRule{}};
    for (const std::vector<test::RouteRule>& more : {test::TextAreaRules(scene.text), scene.rules})
        rules.insert(rules.end(), more.begin(), more.end());
    EXPECT_TRUE(test::MatchesGoldenOnOtherRoute(shown, scene.golden, rules));
    EXPECT_TRUE(test::TextAreasMatchGoldens(shown, scene.golden, scene.text));
}

INSTANTIATE_TEST_SUITE_P(Scenes, GlPictureScenes, testing::ValuesIn(test::kPictureScenes),
                         [](const testing::TestParamInfo<test::PictureScene>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
