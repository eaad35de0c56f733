// The demo saved and loaded in this process through the real frame loop: a load is checked,
// then applied by the next frame and shown through the transition.
#include <gtest/gtest.h>

#include "game/core/screen_state.h"
#include "game/core/variable_store.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/map_state.h"
#include "game/map/party.h"
#include "game/presentation/sound_manager.h"
#include "game/save/save_cache.h"
#include "game/save/save_file.h"
#include "tests/game/program/demo_run_fixture.h"

namespace game {
namespace {

class SaveLoadRun : public DemoRun {
  protected:
    static std::int32_t Variable(int index) {
        return TheVariableStore.ReadValueById(2000000 + index);
    }
    // Through the title's message and choice, the name prompt (confirmed by the test hook) and
    // the greeting onto the map.
    void StartOnTheMap() {
        Start(60);
        for (const SDL_Scancode key : {SDL_SCANCODE_RETURN, SDL_SCANCODE_Z, SDL_SCANCODE_SPACE}) {
            if (Variable(0) == 0)
                Press(key, 3, 30);
        }
        ASSERT_EQ(Variable(0), 1);
        Run(5);
        Press(SDL_SCANCODE_RETURN, 3, 30);
    }
};

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

}  // namespace
}  // namespace game
