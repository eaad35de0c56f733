// The demo's pictures played through the real frame loop: the title fading into the map
// through its rule transition, and the picture gallery with its message up.
#include <gtest/gtest.h>

#include "game/core/screen_state.h"
#include "game/core/variable_store.h"
#include "game/interpreter/main_interpreter.h"
#include "game/presentation/picture_image_cache.h"
#include "game/presentation/picture_list.h"
#include "layer/core/layer_api.h"
#include "platform/game_path.h"
#include "tests/game/program/demo_run_fixture.h"
#include "tests/support/golden.h"
#include "tools/lib/demo_pictures.h"

namespace game {
namespace {

class DemoPictures : public DemoRun {
  protected:
    // The last drawn frame, as the screenshot function stores it.
    test::RgbaImage Frame() {
        const std::filesystem::path file = folder_.tree().path("frame.png");
        EXPECT_EQ(layer::StoreScreenAsPng(0, 0, 640, 480,
                                          platform::DiskPathToGamePath(file.string()).c_str(), 0),
                  0);
        return test::ReadPng(file).value_or(test::RgbaImage{});
    }
};

TEST_F(DemoPictures, TheTitleFadesInAndGoesThroughItsRuleTransitionOntoTheMap) {
    Start(60);
    ASSERT_EQ(ThePictureList.Pictures.size(), 3u);
    EXPECT_EQ(ThePictureImageCache.entries.size(), 2u);
    // One press closes the message and takes the first item; the name prompt is confirmed by
    // the test hook; the transition waits for the greeting's window to close.
    Press(SDL_SCANCODE_RETURN, 3, 30);
    Press(SDL_SCANCODE_RETURN, 3, 0);
    for (int frame = 0; frame < 60 && TheScreenState.TransitionRunning == 0; ++frame)
        Run(1);
    ASSERT_EQ(TheScreenState.TransitionRunning, 1);
    Run(15);
    EXPECT_TRUE(ThePictureList.Pictures.empty());
    EXPECT_TRUE(ThePictureImageCache.entries.empty());
    EXPECT_EQ(TheMainInterpreter.TransitionGraphic, 0);
    EXPECT_TRUE(test::MatchesGolden(Frame(), "game/presentation/demo-title-transition"));
    Run(20);
    EXPECT_EQ(TheScreenState.TransitionRunning, 0);
}

TEST_F(DemoPictures, TheGalleryShowsEveryKindOfPictureAndClearsThemAway) {
    Start(60);
    Press(SDL_SCANCODE_RETURN, 3, 30);
    ASSERT_EQ(TheVariableStore.ReadValueById(2000000), 1);
    Press(SDL_SCANCODE_RETURN, 3, 0);
    // Taken as soon as the title's event ends.
    TheScreenState.reservedCommonEvent = tools::kDemoGalleryEvent;
    // The tone, the fade-ins and the gallery's wait come before its message.
    for (int frame = 0; frame < 200 && TheScreenState.messageText.empty(); ++frame)
        Run(1);
    Run(20);
    EXPECT_EQ(ThePictureList.Pictures.size(), 19u);
    EXPECT_EQ(TheMainInterpreter.ToneCurrent, (std::array<std::int16_t, 3>{-51, -76, 51}));
    EXPECT_TRUE(test::MatchesGolden(Frame(), "game/presentation/demo-gallery"));
    Press(SDL_SCANCODE_RETURN, 3, 100);
    EXPECT_TRUE(ThePictureList.Pictures.empty());
    EXPECT_TRUE(ThePictureImageCache.entries.empty());
    EXPECT_EQ(TheMainInterpreter.ToneCurrent, (std::array<std::int16_t, 3>{0, 0, 0}));
}

}  // namespace
}  // namespace game
