// The demo saved and loaded in this process through the real frame loop: a load is checked,
// then applied by the next frame and shown through the transition.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "game/core/game_random.h"
#include "game/core/screen_state.h"
#include "game/core/variable_store.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/map_character.h"
#include "game/map/map_state.h"
#include "game/map/party.h"
#include "game/presentation/picture_commands.h"
#include "game/presentation/picture_list.h"
#include "game/presentation/sound_manager.h"
#include "game/save/save_cache.h"
#include "game/save/save_file.h"
#include "game/save/slot_variables.h"
#include "tests/game/program/save_load_run_steps.h"
#include "tests/support/golden.h"
#include "tests/support/sjis.h"
#include "tools/lib/demo_events.h"
#include "tools/lib/demo_game.h"
#include "tools/lib/demo_map.h"
#include "tools/lib/demo_window.h"

namespace game {
namespace {

TEST_F(SaveLoadRun, ALoadBringsBackTheSavedGame) {
    StartOnTheMap();
    TheVariableStore.StoreValueById(2000005, 55);
    TheMainInterpreter.ToneCurrent = {-40, 0, 0};
    const int savedX = TheParty.x;
    const int savedMap = TheMapState.mapNumber;
    ASSERT_TRUE(WriteSaveFile(1, true, kDefaultSavePrefix));
    Press(SDL_SCANCODE_RIGHT, 40, 30);
    ASSERT_NE(TheParty.x, savedX);
    TheVariableStore.StoreValueById(2000005, 1);
    TheMainInterpreter.ToneCurrent = {0, 0, 0};

    ASSERT_TRUE(ReadSaveFile(1, true, false, kDefaultSavePrefix));
    ASSERT_TRUE(LoadPending());
    Run(1);
    EXPECT_FALSE(LoadPending());
    EXPECT_EQ(TheScreenState.RestartPending, 1);
    EXPECT_EQ(TheParty.x, savedX);
    EXPECT_EQ(TheMapState.mapNumber, savedMap);
    EXPECT_EQ(Variable(5), 55);
    EXPECT_EQ(TheVariableStore.link, &TheMainInterpreter);
    EXPECT_EQ(TheMainInterpreter.ToneCurrent[0], -40);
    EXPECT_EQ(TheMainInterpreter.LastSaveSlot, 1);
    EXPECT_TRUE(TheSaveCache.States.empty()) << "an applied load empties the cache";
    EXPECT_EQ(TheSoundManager.MusicHandle, 0) << "the load stops the music";
    Run(30);
    EXPECT_EQ(TheScreenState.RestartPending, 0);
    EXPECT_EQ(TheScreenState.SceneNumber, 1);
    Press(SDL_SCANCODE_LEFT, 40, 30);
    EXPECT_NE(TheParty.x, savedX) << "the loaded game runs on";
}

// The stone's menus save slot 1; after a walk and changes the same menus load it back, and the
// game comes back through the transition.
TEST_F(SaveStoneRun, SavesAndLoadsTheGameThroughItsMenus) {
    ASSERT_NO_FATAL_FAILURE(SaveAndLoadAtTheStone());
    EXPECT_TRUE(test::MatchesGolden(ShownFrame(), "game/program/after-load"));
}

// "つづきから" on the title loads slot 1, or says there is none and shows the title again; every
// start of a play counts in "Save\System.sav".
TEST_F(SaveLoadRun, TheTitleContinuesFromSlotOneAndCountsPlays) {
    StartOnTheMap();
    EXPECT_EQ(PlayCounter(), 1);
    TheVariableStore.StoreValueById(2000005, 77);
    ASSERT_TRUE(WriteSaveFile(1, true, kDefaultSavePrefix));
    const std::filesystem::path slot = folder_.tree().path("Save/SaveData01.sav");
    std::filesystem::rename(slot, folder_.tree().path("Save/kept.sav"));

    // Back to the title: the automatic title event runs again while V0 is 0.
    TheVariableStore.StoreValueById(2000000, 0);
    TheVariableStore.StoreValueById(2000005, 0);
    Run(30);
    Choose(1);
    EXPECT_EQ(PlayCounter(), 2);
    EXPECT_EQ(Variable(0), 0) << "no slot: the title goes on";
    EXPECT_FALSE(LoadPending());

    std::filesystem::rename(folder_.tree().path("Save/kept.sav"), slot);
    // Past the message that there is no slot, the title again.
    Choose(1);
    Run(5);
    EXPECT_EQ(Variable(5), 77);
    EXPECT_EQ(Variable(0), 1);
    EXPECT_EQ(PlayCounter(), 3);
    EXPECT_EQ(TheMainInterpreter.LastSaveSlot, 1);
}

}  // namespace
}  // namespace game
