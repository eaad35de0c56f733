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
    // Anti-aliased text: the texture cache holds a grey level v as alpha (v - 1) / 15 and blends
    // the edge and then the body, where the software route composes both from 16 levels into
    // one pixel. Each text area is checked against a GL picture of its own.
    std::vector<test::RouteRule> rules{test::RouteRule{}};
    for (const test::ScreenArea& area : scene.text) {
        test::RouteRule text;
        text.left = area.left;
        text.top = area.top;
        text.right = area.right;
        text.bottom = area.bottom;
        text.tolerance = 255;
        text.why = "4-bit texture alpha, edge then body, against 16-level composed glyphs";
        rules.push_back(text);
    }
    EXPECT_TRUE(test::MatchesGoldenOnOtherRoute(shown, scene.golden, rules));
    std::string gl_golden = scene.golden;
    gl_golden.replace(gl_golden.find("/presentation/"), 14, "/presentation_gl/");
    for (std::size_t n = 0; n < scene.text.size(); ++n) {
        const test::ScreenArea& area = scene.text[n];
        EXPECT_TRUE(test::MatchesGolden(
            Crop(shown, area.left, area.top, area.right - area.left, area.bottom - area.top),
            gl_golden + "_text_" + std::to_string(n), 2));
    }
}

INSTANTIATE_TEST_SUITE_P(Scenes, GlWindowScenes, testing::ValuesIn(test::kWindowScenes),
                         [](const testing::TestParamInfo<test::WindowScene>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
