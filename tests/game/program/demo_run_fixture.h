#pragma once

// The demo game started in this process on the dummy video driver: frames run through the
// real frame loop, so that pushed SDL key events reach the game as a player's keys would (the
// auto-confirm test hook is off).

#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>

#include "game/core/exit_program.h"
#include "game/core/game_folder.h"
#include "game/program/frame_loop.h"
#include "game/program/map_scene.h"
#include "game/program/program_entry.h"
#include "game/program/reset_loop.h"
#include "platform/game_path.h"
#include "tests/game/core/game_folder_scope.h"
#include "tests/support/auto_confirm_scope.h"
#include "tests/support/input_events.h"
#include "tools/lib/demo_game.h"

namespace game {

class DemoRun : public testing::Test {
  protected:
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
};

}  // namespace game
