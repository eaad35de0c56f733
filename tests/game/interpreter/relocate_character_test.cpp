// The placement command: transfers of the hero wait for a free moment, placements put a
// character down at once, and both hold the next line for a frame.
#include <gtest/gtest.h>

#include "game/core/database.h"
#include "game/map/party.h"
#include "tests/game/interpreter/map_command_fixture.h"

namespace game {
namespace {

using tools::CommandListBuilder;

constexpr std::int32_t kHero = -1;
constexpr std::int32_t kItself = -2;
constexpr std::int32_t kLocationRow = -10001;

class Relocate : public MapCommandTest {
  protected:
    void SetUp() override {
        MapCommandTest::SetUp();
        TheMapState.mapNumber = 4;
        AddEvent(3, 2, 2);
        TheParty.direction = 8;
    }

    // The command, then V9 = 1, as common event 0 or as map event 3's page.
    static EventInterpreter RunPlacement(std::vector<std::int32_t> args, int frames,
                                         bool asMapEvent = false) {
        CommandListBuilder list;
        list.Add(130, std::move(args)).Add(121, {VarId(9), 1, 0, 0});
        if (!asMapEvent)
            return Run(list, frames);
        EventInterpreter interpreter;
        interpreter.SetUpInterpreter(0, false);
        interpreter.ownCommands = list.Build();
        interpreter.StartInterpreter(CommandListRef::Own(), 3, -1);
        for (int frame = 0; frame < frames; ++frame)
            RunInterpreter(interpreter);
        return interpreter;
    }
};

TEST_F(Relocate, TheHeroSentToTheCurrentMapStillTransfersAndWaitsAFrame) {
    RunPlacement({kHero, 5, 6, -1, 0}, 1);
    const ScreenState& screen = TheScreenState;
    ASSERT_EQ(screen.TransferPending, 1);
    EXPECT_EQ(screen.transferMap, 4);
    EXPECT_EQ(screen.transferX, 10);
    EXPECT_EQ(screen.transferY, 12);
    EXPECT_EQ(screen.transferDirection, 8);
    EXPECT_EQ(V(9), 0);
    TheScreenState.TransferPending = 0;
    RunPlacement({kHero, 5, 6, -1, 0}, 2);
    EXPECT_EQ(V(9), 1);
}

TEST_F(Relocate, HalfTilesAnotherMapAndShortLines) {
    V(1) = 7;
    RunPlacement({kHero, 5, VarId(1), 9, 1}, 1);
    EXPECT_EQ(TheScreenState.transferMap, 9);
    EXPECT_EQ(TheScreenState.transferX, 5);
    EXPECT_EQ(TheScreenState.transferY, 7);
    TheScreenState.TransferPending = 0;
    RunPlacement({kHero, 5, 6, 2}, 1);
    EXPECT_EQ(TheScreenState.transferX, 10);
}

// Row 1 of type 7: map 2, x from V5 (held as a variable ID), y 4.
TEST_F(Relocate, ALocationRowReadsItsContentsAsValues) {
    SysDataBase.types.resize(8);
    SysDataBase.types[7].contentCodes = {1000, 1001, 1002};
    SysDataBase.ResizeDBDataList(7, 2);
    ASSERT_TRUE(SysDataBase.WriteDBValue(7, 1, 0, 2));
    ASSERT_TRUE(SysDataBase.WriteDBValue(7, 1, 1, VarId(5)));
    ASSERT_TRUE(SysDataBase.WriteDBValue(7, 1, 2, 4));
    V(5) = 7;
    RunPlacement({kLocationRow, 1, 0, 0, 0}, 1);
    EXPECT_EQ(TheScreenState.transferMap, 2);
    EXPECT_EQ(TheScreenState.transferX, 14);
    EXPECT_EQ(TheScreenState.transferY, 8);
}

TEST_F(Relocate, ATransferWaitsWhileAnotherTransferAWindowOrATransitionIsBusy) {
    for (std::uint8_t ScreenState::*busy : {&ScreenState::TransferPending, &ScreenState::windowBusy,
                                            &ScreenState::TransitionRunning}) {
        TheScreenState = ScreenState(ScreenState::Screens::kLater);
        TheScreenState.SceneNumber = 1;
        TheScreenState.*busy = 1;
        const EventInterpreter interpreter = RunPlacement({kHero, 5, 6, -1, 0}, 3);
        EXPECT_EQ(interpreter.line, 0);
        EXPECT_EQ(TheScreenState.transferX, 0);
        TheScreenState.*busy = 0;
    }
}

TEST_F(Relocate, CharactersArePlacedAtOnce) {
    RunPlacement({kItself, 6, 4, 0, 0}, 1, true);
    EXPECT_EQ(TheMapState.eventCharacters[0].x, 12);
    EXPECT_EQ(TheMapState.eventCharacters[0].y, 8);
    V(2) = 3;
    RunPlacement({VarId(2), 9, 3, 0, 1}, 1);
    EXPECT_EQ(TheMapState.eventCharacters[0].x, 9);
    EXPECT_EQ(TheMapState.eventCharacters[0].y, 3);
    RunPlacement({-3, 1, 1, 0, 0}, 1);
    EXPECT_EQ(TheParty.members[0].x, 2);
    EXPECT_EQ(TheScreenState.TransferPending, 0);
}

// Nothing to place: no wait either, so the next line runs in the same frame.
TEST_F(Relocate, NoCharacterAndReferencesFromMinusAThousandDownDoNothing) {
    V(3) = -1000;
    for (std::vector<std::int32_t> args : std::vector<std::vector<std::int32_t>>{
             {kItself, 6, 4}, {VarId(3), 6, 4}, {-5000, 6, 4}, {99, 6, 4}, {-8, 6, 4}}) {
        V(9) = 0;
        RunPlacement(args, 1);
        EXPECT_EQ(V(9), 1) << args[0];
    }
    EXPECT_EQ(TheMapState.eventCharacters[0].x, 2);
    EXPECT_TRUE(reports.errors().empty());
}

}  // namespace
}  // namespace game
