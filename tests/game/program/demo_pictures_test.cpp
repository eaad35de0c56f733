// The demo's pictures played through the real frame loop: the title fading into the map
// through its rule transition, and the picture gallery with its message up.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "tests/game/program/demo_picture_steps.h"

namespace game {
namespace {

TEST_F(DemoPictures, TheTitleFadesInAndGoesThroughItsRuleTransitionOntoTheMap) {
    ASSERT_NO_FATAL_FAILURE(PlayTheTitleIntoItsRuleTransition());
    EXPECT_TRUE(ThePictureList.Pictures.empty());
    EXPECT_TRUE(ThePictureImageCache.entries.empty());
    EXPECT_EQ(TheMainInterpreter.TransitionGraphic, 0);
    EXPECT_TRUE(test::MatchesGolden(Frame(), "game/presentation/demo-title-transition"));
    Run(20);
    EXPECT_EQ(TheScreenState.TransitionRunning, 0);
}

TEST_F(DemoPictures, TheGalleryShowsEveryKindOfPictureAndClearsThemAway) {
    ASSERT_NO_FATAL_FAILURE(PlayTheGalleryToItsMessage());
    EXPECT_TRUE(test::MatchesGolden(Frame(), "game/presentation/demo-gallery"));
    Press(SDL_SCANCODE_RETURN, 3, 100);
    EXPECT_TRUE(ThePictureList.Pictures.empty());
    EXPECT_TRUE(ThePictureImageCache.entries.empty());
    EXPECT_EQ(TheMainInterpreter.ToneCurrent, (std::array<std::int16_t, 3>{0, 0, 0}));
}

}  // namespace
}  // namespace game
