// The demo game run in this process: start-up, the reset and scene loops and the frame loop,
// with the frame limit ending each run of the loops.
#include <gtest/gtest.h>

#include <string>

#include "game/core/exit_program.h"
#include "game/core/game_folder.h"
#include "game/core/screen_state.h"
#include "game/core/variable_store.h"
#include "game/program/frame_loop.h"
#include "game/program/map_scene.h"
#include "game/program/program_entry.h"
#include "game/program/reset_loop.h"
#include "platform/game_path.h"
#include "tests/game/core/game_folder_scope.h"
#include "tests/game/program/demo_run_fixture.h"
#include "tests/support/sjis.h"
#include "tools/lib/demo_game.h"

namespace game {
namespace {

struct ProgramExit {
    int code;
};

void ThrowOnExit(int code) {
    throw ProgramExit{code};
}

class GameRunTest : public testing::Test {
  protected:
    void SetUp() override {
        previousExit_ = SetExitHandler(&ThrowOnExit);
        ASSERT_TRUE(tools::WriteDemoGame(folder_.tree().root()));
        GameFolder = platform::DiskPathToGamePath(folder_.tree().root().string()) + "\\";
        BuildGameGlobals();
    }
    void TearDown() override { SetExitHandler(previousExit_); }

    // Runs the reset and scene loops for n frames.
    void RunFrames(MapScene& scene, long n) {
        FrameLimit = FramesRun + n;
        RunScenes(scene);
        FrameLimit = -1;
    }

    std::int32_t Variable(int index) { return TheVariableStore.ReadValueById(2000000 + index); }

    GameFolderScope folder_;
    ExitHandler previousExit_ = nullptr;
};

TEST_F(GameRunTest, TheDemoRunsItsTitleAndKeepsTheCommandLineOptionsAcrossAReturnToTheTitle) {
    ASSERT_EQ(StartGame("-vinput 2000005 42"), kStartedGame);
    {
        MapScene scene;
        RunFrames(scene, 120);
        EXPECT_EQ(TheScreenState.SceneNumber, 1);
        EXPECT_EQ(Variable(5), 42);
        TheVariableStore.StoreValueById(2000005, 7);
        // A second run of the loops starts with a reset pass: a return to the title.
        RunFrames(scene, 1);
        EXPECT_EQ(Variable(5), 42);
    }
    try {
        ShutdownGame();
    } catch (const ProgramExit& exit) {
        EXPECT_EQ(exit.code, 0);
    }
    EXPECT_NE(folder_.tree().read("Game.ini").find("Start=0"), std::string::npos);
}

using TitleFlow = DemoRun;

TEST_F(TitleFlow, TheFirstChoiceStartsTheGameThroughTheCalledEvent) {
    const auto variable = [](int index) { return TheVariableStore.ReadValueById(2000000 + index); };
    // The frame that loads the start map updates the map twice, in the transfer and in the
    // frame, so the parallel clock counts one more than the frames run.
    Start(1);
    EXPECT_EQ(variable(1), 2);
    Run(29);
    EXPECT_EQ(variable(0), 0);          // the title waits at its message
    Press(SDL_SCANCODE_RETURN, 2, 28);  // the message goes, the choice opens
    Press(SDL_SCANCODE_RETURN, 2, 58);  // its first item; 120 frames in all
    EXPECT_EQ(variable(0), 1);
    EXPECT_EQ(variable(1), 121);
    EXPECT_EQ(variable(2), 12);  // 7 + 5 passes of the called event's loops
    EXPECT_EQ(variable(3), 1);   // its label jump skipped V3 = 99
    EXPECT_EQ(variable(4), 20);  // the user database's value of data 1
    EXPECT_EQ(TheVariableStore.ReadStringById(3000001), test::Sjis(u8"表の中身"));
    // The name prompt, confirmed by the test hook, keeps its preset.
    EXPECT_EQ(TheVariableStore.ReadStringById(3000002), test::Sjis(u8"ゆうしゃ"));
    EXPECT_EQ(TheScreenState.SceneNumber, 1);
}

TEST_F(GameRunTest, WithoutGameDatTheStartFailsAtOnceAndLeavesGameIniAlone) {
    std::filesystem::remove(folder_.tree().path("Game.dat"));
    folder_.tree().write("Game.ini", "untouched");
    EXPECT_EQ(WinMain(""), kFailedStart);
    EXPECT_EQ(folder_.tree().read("Game.ini"), "untouched");
}

}  // namespace
}  // namespace game
