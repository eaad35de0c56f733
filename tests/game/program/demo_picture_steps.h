#pragma once

// The demo's picture scenes played through the real frame loop, shared by the software test and
// the OpenGL one: the title half-way through its rule transition onto the map, and the picture
// gallery with its message up.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>

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

    // The title fades in; one press closes its message and takes the first item, the name
    // prompt is confirmed by the test hook, and the rule transition, which waits for the
    // greeting's window to close, is run half-way.
    void PlayTheTitleIntoItsRuleTransition() {
        Start(60);
        ASSERT_EQ(ThePictureList.Pictures.size(), 3u);
        EXPECT_EQ(ThePictureImageCache.entries.size(), 2u);
        Press(SDL_SCANCODE_RETURN, 3, 30);
        Press(SDL_SCANCODE_RETURN, 3, 0);
        for (int frame = 0; frame < 60 && TheScreenState.TransitionRunning == 0; ++frame)
            Run(1);
        ASSERT_EQ(TheScreenState.TransitionRunning, 1);
        Run(15);
    }

    // Onto the map, then the gallery's event: its tone, fade-ins and wait, until its message
    // has been up for a while with all its pictures shown.
    void PlayTheGalleryToItsMessage() {
        Start(60);
        Press(SDL_SCANCODE_RETURN, 3, 30);
        ASSERT_EQ(TheVariableStore.ReadValueById(kTitleDoneVariable), 1);
        Press(SDL_SCANCODE_RETURN, 3, 0);
        // Taken as soon as the title's event ends.
        TheScreenState.reservedCommonEvent = tools::kDemoGalleryEvent;
        for (int frame = 0; frame < 200 && TheScreenState.messageText.empty(); ++frame)
            Run(1);
        Run(20);
        ASSERT_EQ(ThePictureList.Pictures.size(), 19u);
        EXPECT_EQ(TheMainInterpreter.ToneCurrent, (std::array<std::int16_t, 3>{-51, -76, 51}));
    }
};

}  // namespace game
