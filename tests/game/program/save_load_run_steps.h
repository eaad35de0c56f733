#pragma once

// The demo saved and loaded in this process through the real frame loop; the save stone's run,
// which ends in a golden, is shared by the software test and the OpenGL one.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

#include "game/core/game_random.h"
#include "game/core/screen_state.h"
#include "game/core/variable_store.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/map_character.h"
#include "game/map/map_state.h"
#include "game/map/party.h"
#include "game/presentation/picture_commands.h"
#include "game/presentation/picture_list.h"
#include "game/save/save_cache.h"
#include "game/save/save_file.h"
#include "game/save/slot_variables.h"
#include "tests/game/program/demo_run_fixture.h"
#include "tests/support/sjis.h"
#include "tools/lib/demo_events.h"
#include "tools/lib/demo_game.h"
#include "tools/lib/demo_map.h"
#include "tools/lib/demo_window.h"

namespace game {

class SaveLoadRun : public DemoRun {
  protected:
    static std::int32_t Variable(int index) {
        return TheVariableStore.ReadValueById(2000000 + index);
    }
    static MapCharacter& Hero() { return *GetPartyCharacter(TheParty, 0); }
    static int PlayCounter() {
        return GetSlotVariable(0, tools::kDemoPlayCounterVariable, tools::kDemoPlayCounterFile);
    }
    // Confirms what shows until a choice opens, then moves its cursor to `item` and takes it.
    void Choose(int item) {
        for (int press = 0; press < 5 && TheScreenState.lastChoiceResult < 0; ++press)
            Press(SDL_SCANCODE_RETURN, 3, 30);
        ASSERT_GE(TheScreenState.lastChoiceResult, 0) << "a choice is open";
        for (int press = 0; press < 5 && TheScreenState.lastChoiceResult != item; ++press)
            Press(SDL_SCANCODE_DOWN, 3, 10);
        ASSERT_EQ(TheScreenState.lastChoiceResult, item);
        Press(SDL_SCANCODE_RETURN, 3, 20);
    }
    // Up the path to the save stone's row, turned toward the stone, and its menu opened.
    void OpenTheSaveStone() {
        for (int step = 0; step < 10 && Hero().y > 2 * tools::kDemoSaveStoneY; ++step)
            Press(SDL_SCANCODE_UP, 3, 12);
        ASSERT_EQ(Hero().y, 2 * tools::kDemoSaveStoneY);
        ASSERT_EQ(Hero().x, 2 * (tools::kDemoSaveStoneX - 1));
        Press(SDL_SCANCODE_RIGHT, 2, 10);
        ASSERT_EQ(Hero().x, 2 * (tools::kDemoSaveStoneX - 1)) << "the stone stops the hero";
        Press(SDL_SCANCODE_RETURN, 3, 20);
    }
};

// Frames are run on the fake clock and the random walks start from one seed, so that every
// update draws and the frames are the same at every run.
class SaveStoneRun : public SaveLoadRun {
  protected:
    void SetUp() override {
        SaveLoadRun::SetUp();
        UseFakeClock();
        GameRandomControl(static_cast<int>(RandomMode::kSet), 2024);
    }

    // Slot 1 saved through the stone's menus with a tone and three pictures up, a walk away
    // with them gone, the slot loaded back the same way and the transition run through.
    void SaveAndLoadAtTheStone() {
        StartOnTheMap();
        EXPECT_EQ(PlayCounter(), 1);
        TheVariableStore.StoreValueById(2000005, 55);
        TheMainInterpreter.ToneCurrent = {-40, 0, 20};
        TheMainInterpreter.ToneTarget = {-40, 0, 20};
        PictureArgs text;
        text.text = test::Sjis(u8"表の記録");
        text.x = 20;
        text.y = 380;
        ShowStringPictures(ThePictureList, 1, 1, text, 100, 0);
        PictureArgs sky;
        sky.text = tools::kDemoPanoramaImage;
        sky.x = 360;
        sky.y = 40;
        sky.opacity = 200;
        ShowPictures(ThePictureList, 2, 2, sky, 50, 0, false);
        PictureArgs frame;
        frame.text = tools::kDemoWindowFrameImage;
        frame.splitX = 200;
        frame.splitY = 60;
        frame.x = 40;
        frame.y = 40;
        ShowPictures(ThePictureList, 3, 3, frame, 100, 0, true);
        PictureArgs move;
        move.x = 200;
        move.y = 300;
        move.duration = 600;
        MovePictures(ThePictureList, 2, 2, move, 100, 0);

        OpenTheSaveStone();
        Choose(0);
        Choose(0);
        ASSERT_TRUE(std::filesystem::exists(folder_.tree().path("Save/SaveData01.sav")));
        EXPECT_EQ(TheMainInterpreter.LastSaveSlot, 1);
        const int savedX = Hero().x;
        const int savedY = Hero().y;
        const int savedSeconds = TheMainInterpreter.PlaySeconds;
        const int savedMusic = TheMainInterpreter.CurrentMusicNumber;
        // The picture as the slot holds it: it has moved on since the save.
        const int savedRemaining = TheSaveCache.States.at(SavePath(1, kDefaultSavePrefix).value())
                                       .pictureList.FindPicture(2)
                                       ->Remaining;
        ASSERT_GT(savedRemaining, 0) << "the saved picture is still moving";

        Press(SDL_SCANCODE_DOWN, 20, 30);
        ASSERT_NE(Hero().y, savedY);
        TheVariableStore.StoreValueById(2000005, 1);
        TheMainInterpreter.ToneCurrent = TheMainInterpreter.ToneTarget = {0, 0, 0};
        ErasePictures(ThePictureList, 1, 3, 0, 0, kNeutralColour);
        Run(2);

        OpenTheSaveStone();
        Choose(1);
        ASSERT_GE(TheScreenState.lastChoiceResult, 0) << "the slots are offered";
        EXPECT_EQ(TheVariableStore.ReadValueById(2000021), savedSeconds)
            << "the menu shows slot 1's play time";
        Press(SDL_SCANCODE_RETURN, 3, 2);
        EXPECT_FALSE(LoadPending()) << "applied in the frame of the command";
        EXPECT_EQ(Hero().x, savedX);
        EXPECT_EQ(Hero().y, savedY);
        EXPECT_EQ(Variable(5), 55);
        EXPECT_EQ(TheMainInterpreter.ToneCurrent[0], -40);
        ASSERT_EQ(ThePictureList.Pictures.size(), 3u);
        const int remaining = ThePictureList.FindPicture(2)->Remaining;
        EXPECT_LE(remaining, savedRemaining);
        EXPECT_GT(remaining, savedRemaining - 10) << "the move goes on from where it was saved";
        EXPECT_EQ(ThePictureList.FindPicture(1)->Text.SourceText, test::Sjis(u8"表の記録"));
        EXPECT_EQ(TheMainInterpreter.CurrentMusicNumber, savedMusic) << "the saved music restarts";
        Run(40);
        EXPECT_EQ(TheScreenState.RestartPending, 0);
    }
};

}  // namespace game
