// Pictures drawn on the software back screen by the picture commands, their updates and
// effects, compared with golden pictures of our own output.
#include <gtest/gtest.h>

#include <string>

#include "tests/game/presentation/picture_scenes.h"

namespace {

class PictureGolden : public test::PictureSceneOn<test::SoftwareScreens>,
                      public testing::WithParamInterface<test::PictureScene> {};

TEST_P(PictureGolden, GivesItsGolden) {
    const test::PictureScene& scene = GetParam();
    EXPECT_TRUE(test::MatchesGolden(scene.picture(), scene.golden));
}

INSTANTIATE_TEST_SUITE_P(Scenes, PictureGolden, testing::ValuesIn(test::kPictureScenes),
                         [](const testing::TestParamInfo<test::PictureScene>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
