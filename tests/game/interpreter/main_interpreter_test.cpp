#include "game/interpreter/main_interpreter.h"

#include <gtest/gtest.h>

#include "tests/game/core/fresh_game_state.h"

namespace game {
namespace {

struct TileDefaults {
    int tileSize;
    int fontSize;
    int pageCursorX;
    int pageCursorOffsetY;
    int keyInputTextX;
    int keyInputTextY;
};

class MainInterpreterDefaults : public ::testing::TestWithParam<TileDefaults> {};

TEST_P(MainInterpreterDefaults, FollowTheTileSize) {
    FreshGameState();
    TileSize = GetParam().tileSize;
    const MainInterpreter main;
    EXPECT_EQ(main.DefaultFontSize, GetParam().fontSize);
    EXPECT_EQ(main.PageCursorX, GetParam().pageCursorX);
    EXPECT_EQ(main.PageCursorOffsetY, GetParam().pageCursorOffsetY);
    EXPECT_EQ(main.KeyInputTextX, GetParam().keyInputTextX);
    EXPECT_EQ(main.KeyInputTextY, GetParam().keyInputTextY);
    TileSize = 32;
}

INSTANTIATE_TEST_SUITE_P(TileSizes, MainInterpreterDefaults,
                         ::testing::Values(TileDefaults{32, 22, 320, 137, 150, 400},
                                           TileDefaults{16, 12, 160, 68, 75, 200}),
                         [](const auto& info) {
                             return "Tile" + std::to_string(info.param.tileSize);
                         });

TEST(MainInterpreter, OtherDefaults) {
    FreshGameState();
    CommonEvents.events[4].trigger = 0x21;
    const MainInterpreter main;
    EXPECT_TRUE(main.autoPick);
    EXPECT_EQ(main.slot, 0);
    ASSERT_EQ(main.automaticEvents.size(), 1u);
    EXPECT_EQ(main.automaticEvents[0].number, 4);
    EXPECT_EQ(main.DrawStep, 1.0f);
    EXPECT_EQ(main.MessageWindowX, -1);
    EXPECT_EQ(main.ToneFramesLeft, -1);
    EXPECT_EQ(main.MemberShadows, std::vector<int>(5, -1));
    EXPECT_EQ(main.FogOpacity, 255);
    EXPECT_EQ(main.ConfirmKey, 144);
    EXPECT_EQ(main.SubPadMask, 64);
    EXPECT_EQ(main.TransitionLength, 20);
    EXPECT_EQ(main.MusicMasterVolume, 100);
    EXPECT_EQ(main.LiveMapView, 1);
    EXPECT_EQ(main.PartyFollows, 1);
}

TEST(MainInterpreter, CopiesCarryEverythingTheUnsavedFieldsToo) {
    FreshGameState();
    MainInterpreter main;
    main.SaveDataFlag = 1;
    main.LastSaveSlot = 4;
    main.LiveMapView = 0;
    main.TextInputState = -1;
    main.StoredGraphics = {"a", "b"};
    main.ownCommands = {EventCommand{}};
    main.children.resize(1);
    main.children[0].line = 9;
    main.MessageExtraTextA = "pre";
    const MainInterpreter copy = main;
    EXPECT_EQ(copy.SaveDataFlag, 1);
    EXPECT_EQ(copy.LastSaveSlot, 4);
    EXPECT_EQ(copy.LiveMapView, 0);
    EXPECT_EQ(copy.TextInputState, -1);
    EXPECT_EQ(copy.StoredGraphics, main.StoredGraphics);
    EXPECT_EQ(copy.ownCommands.size(), 1u);
    ASSERT_EQ(copy.children.size(), 1u);
    EXPECT_EQ(copy.children[0].line, 9);
    EXPECT_EQ(copy.MessageExtraTextA, "pre");
    MainInterpreter assigned;
    assigned = main;
    EXPECT_EQ(assigned.LastSaveSlot, 4);
}

}  // namespace
}  // namespace game
