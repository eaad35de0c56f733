// The map and character scenes drawn on the OpenGL route and compared with the software
// route's goldens.
#include <gtest/gtest.h>

#include <string>

#include "tests/game/map/map_scenes.h"
#include "tests/layer/graphics_gl/gl_fixture.h"

namespace game {
namespace {

class GlMapScenes : public CharacterScreenOn<test::GlScreens>,
                    public testing::WithParamInterface<MapScene> {};

TEST_P(GlMapScenes, MatchTheSoftwareGoldens) {
    const MapScene& scene = GetParam();
    // Zoomed, texel boundaries fall a pixel apart: the software renderer steps from each
    // pixel's corner, the hardware samples at its centre.
    test::RouteRule zoomed;
    zoomed.edge_share = 1.0;
    zoomed.why = "stretched by a fraction, sampled at the pixel's corner or centre";
    EXPECT_TRUE(test::MatchesGoldenOnOtherRoute(scene.picture(), scene.golden,
                                                {scene.zoomed ? zoomed : test::RouteRule{}}));
}

INSTANTIATE_TEST_SUITE_P(Scenes, GlMapScenes, testing::ValuesIn(kMapScenes),
                         [](const testing::TestParamInfo<MapScene>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace game
