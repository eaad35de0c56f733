#pragma once

// The demo game started in this process: frames run through the real frame loop, so that pushed
// SDL key events reach the game as a player's keys would (the auto-confirm test hook is off).
// On the dummy video driver it draws through the software route; on the offscreen driver
// (the "_gl" test folders) through GL, which `OnGlRoute` checks.

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "game/core/exit_program.h"
#include "game/core/game_folder.h"
#include "game/core/variable_store.h"
#include "game/program/frame_loop.h"
#include "game/program/map_scene.h"
#include "game/program/program_entry.h"
#include "game/program/reset_loop.h"
#include "platform/clock.h"
#include "platform/game_path.h"
#include "platform/gfx3d/gl_context.h"
#include "platform/presenter.h"
#include "tests/game/core/game_folder_scope.h"
#include "tests/support/auto_confirm_scope.h"
#include "tests/support/fake_clock_scope.h"
#include "tests/support/golden.h"
#include "tests/support/input_events.h"
#include "tools/lib/demo_game.h"

namespace game {

class DemoRun : public testing::Test {
  protected:
    // V0, which the title sets to 1 when it hands over to the map.
    static constexpr std::int32_t kTitleDoneVariable = 2000000;

    struct ProgramExit {
        int code;
    };

    void SetUp() override {
        previousExit_ = SetExitHandler([](int code) { throw ProgramExit{code}; });
        ASSERT_TRUE(tools::WriteDemoGame(folder_.tree().root()));
        GameFolder = platform::DiskPathToGamePath(folder_.tree().root().string()) + "\\";
        BuildGameGlobals();
        ASSERT_EQ(StartGame(""), kStartedGame);
        scene_ = std::make_unique<MapScene>();
    }
    void TearDown() override {
        if (scene_ != nullptr)
            Shutdown();
        SetExitHandler(previousExit_);
    }

    // The first frames: a reset pass, then the frame loop.
    void Start(long frames) {
        FrameLimit = FramesRun + frames;
        RunScenes(*scene_);
        FrameLimit = -1;
    }

    // More frames of the running game, without the reset pass a new run of the scenes makes.
    void Run(long frames) {
        FrameLimit = FramesRun + frames;
        RunMapSceneLoop(*scene_);
        FrameLimit = -1;
    }

    // A key held for some frames, then released and the game left to take it in.
    void Press(SDL_Scancode key, long heldFrames = 3, long afterFrames = 10) {
        test::PushKey(key, true);
        Run(heldFrames);
        test::PushKey(key, false);
        Run(afterFrames);
    }

    // Through the title's message and choice, the name prompt (confirmed by the test hook) and
    // the greeting onto the map.
    void StartOnTheMap() {
        Start(60);
        for (const SDL_Scancode key : {SDL_SCANCODE_RETURN, SDL_SCANCODE_Z, SDL_SCANCODE_SPACE}) {
            if (TheVariableStore.ReadValueById(kTitleDoneVariable) == 0)
                Press(key, 3, 30);
        }
        ASSERT_EQ(TheVariableStore.ReadValueById(kTitleDoneVariable), 1);
        Run(5);
        Press(SDL_SCANCODE_RETURN, 3, 30);
    }

    // From here on the clock is fake, so that every update draws whatever the machine's speed.
    // Not before the start: the layer's start-up measures the real clock.
    void UseFakeClock() { clock_.emplace(platform::MonotonicNanoseconds()); }

    // The frame the window shows now.
    static test::RgbaImage ShownFrame() {
        std::vector<std::uint32_t> xrgb(640 * 480);
        EXPECT_EQ(platform::ReadRetainedFrame({0, 0, 640, 480}, xrgb.data(), 640 * 4), 0);
        test::RgbaImage image{640, 480, {}};
        image.pixels.reserve(xrgb.size() * 4);
        for (const std::uint32_t pixel : xrgb) {
            image.pixels.insert(image.pixels.end(), {static_cast<std::uint8_t>(pixel >> 16),
                                                     static_cast<std::uint8_t>(pixel >> 8),
                                                     static_cast<std::uint8_t>(pixel), 255});
        }
        return image;
    }

    void Shutdown() {
        scene_.reset();
        try {
            ShutdownGame();
        } catch (const ProgramExit& exit) {
            EXPECT_EQ(exit.code, 0);
        }
    }

    GameFolderScope folder_;
    std::unique_ptr<MapScene> scene_;
    ExitHandler previousExit_ = nullptr;
    const test::AutoConfirmScope keys_{false};
    std::optional<test::FakeClockScope> clock_;
};

// A demo run that must have started on the GL route.
template <class Run>
class OnGlRoute : public Run {
  protected:
    void SetUp() override {
        Run::SetUp();
        ASSERT_TRUE(platform::HasGlContext()) << "the demo did not start on the GL route";
    }
};

}  // namespace game
