// The shared map and character scenes on the software route give their goldens exactly, so
// the other route's comparisons compare like with like.
#include <gtest/gtest.h>

#include <string>

#include "tests/game/map/map_scenes.h"

namespace game {
namespace {

class MapScenes : public CharacterScreenOn<test::SoftwareScreens>,
                  public testing::WithParamInterface<MapScene> {};

TEST_P(MapScenes, GiveTheirGoldens) {
    const MapScene& scene = GetParam();
    EXPECT_TRUE(test::MatchesGolden(scene.picture(), scene.golden));
}

INSTANTIATE_TEST_SUITE_P(Software, MapScenes, testing::ValuesIn(kMapScenes),
                         [](const testing::TestParamInfo<MapScene>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace game
