#include <tuple>

#include "game/core/play_settings.h"
#include "game/interpreter/call_commands.h"
#include "game/map/event_character.h"
#include "game/map/map_state.h"
#include "tests/game/core/game_folder_scope.h"
#include "tests/game/interpreter/family_fixture.h"
#include "tests/support/sjis.h"
#include "tools/lib/common_event_writer.h"

namespace game {
namespace {

using CallCommands = FamilyTest;

// The callee records its common number in V(20 + index) through its own self variables.
void SetCallee(int index) {
    tools::CommandListBuilder b;
    b.Add(121, {Var(20 + index), 0, index, VarOp(0, 0)});
    CommonEvents.events[static_cast<std::size_t>(index)].commands = b.Build();
}

TEST_F(CallCommands, RelativeIdsCountFromTheRunningCommonEventAndAreClamped) {
    SetCallee(4);
    CommonEvents.events[5].commands = tools::CommandListBuilder().Add(210, {600099}).Build();
    RunCommon(5);
    EXPECT_EQ(V(24), 4);
    for (const auto& [common, id, reserved] :
         {std::tuple{5, 600100, 5}, {0, 600000, 0}, {9, 600200, 9}}) {
        CommonEvents.events[static_cast<std::size_t>(common)].commands =
            tools::CommandListBuilder().Add(211, {id}).Build();
        RunCommon(common);
        EXPECT_EQ(TheScreenState.reservedCommonEvent, reserved) << id;
    }
}

TEST_F(CallCommands, ArgumentsLandInTheCalleesSelfVariables) {
    V(1) = 11;
    V(2) = 22;
    S(3) = "text";
    SetCommon(0,
              tools::CommandListBuilder().Add(210, {500002, 2 | (1 << 4), Var(1), Var(2), Str(3)}),
              false);
    RunCommon(0);
    EXPECT_EQ(TheVariableStore.commonNumbers[2][0], 11);
    EXPECT_EQ(TheVariableStore.commonNumbers[2][1], 22);
    EXPECT_EQ(TheVariableStore.commonStrings[2][0], "text");
}

TEST_F(CallCommands, TheLastOfTwoReservationsRuns) {
    SetCommon(0, tools::CommandListBuilder().Add(211, {500003}).Add(211, {500004}), false);
    RunCommon(0);
    EXPECT_EQ(TheScreenState.reservedCommonEvent, 4);
}

TEST_F(CallCommands, ASelfCallingCommonEventStopsAtTheCap) {
    tools::CommandListBuilder b;
    b.Add(121, {Var(1), Var(1), 1, VarOp(0, 0)});
    b.Add(210, {600100});
    SetCommon(0, b, false);
    RunCommon(0);
    EXPECT_EQ(V(1), kMaxCallDepth + 1);
    EXPECT_EQ(ReportCapture::errors().size(), 1u);
}

TEST_F(CallCommands, AMissingCommonEventIsReportedOnlyInTestPlay) {
    SetCommon(0, tools::CommandListBuilder().Add(210, {500099}), false);
    RunCommon(0);
    EXPECT_TRUE(ReportCapture::errors().empty());
    TestPlayMode = 1;
    RunCommon(0);
    TestPlayMode = 0;
    EXPECT_EQ(ReportCapture::errors().size(), 1u);
}

TEST_F(CallCommands, CallsByNameFollowTheNameMap) {
    SetCallee(7);
    CommonEventNames["Seven"] = 7;
    SetCommon(0, tools::CommandListBuilder().Add(300, {0, 0}, {"Seven"}).Add(300, {0, 0}, {"None"}),
              false);
    RunCommon(0);
    EXPECT_EQ(V(27), 7);
}

TEST_F(CallCommands, ACommonFileLoadsOnceAndEachCallRunsItsFirstEvent) {
    GameFolderScope folder;
    CommonFileIndex.clear();
    CommonEventNames.clear();
    CommonEventNames["counter"] = 3;
    // A hundred passes of V1 += 1, run unprepared as every loaded file's events are.
    CommonEvent counter;
    counter.name = "counter";
    counter.commands = tools::CommandListBuilder()
                           .Add(179, {100})
                           .Add(121, {Var(1), Var(1), 1, VarOp(0, 0)}, {}, 1)
                           .Add(498)
                           .Build();
    CommonEvent second;
    second.name = "second";
    folder.Write("Extra.common",
                 tools::WriteCommonEventFile({counter, second}, tools::CommonEventLayout::kNames));
    tools::CommandListBuilder b;
    b.Add(300, {0, 0}, {"Extra.common"}).Add(300, {0, 0}, {"Extra.common"});
    b.Add(121, {Var(2), 0, 1, VarOp(0, 0)});
    SetCommon(0, b, true);
    const EventInterpreter caller = RunCommon(0);
    EXPECT_EQ(V(1), 200);
    EXPECT_EQ(V(2), 1);
    EXPECT_TRUE(caller.children.empty());
    EXPECT_EQ(CommonEvents.events.size(), 12u);
    EXPECT_EQ(TheVariableStore.commonNumbers.size(), 12u);
    EXPECT_EQ(TheVariableStore.commonStrings.size(), 12u);
    EXPECT_EQ(CommonFileIndex.at("Extra.common"), 10);
    EXPECT_EQ(CommonEventNames.at("counter"), 10);  // a loaded name replaces an earlier one
    EXPECT_EQ(CommonEventNames.at("second"), 11);
}

TEST_F(CallCommands, AMissingCommonFileCallsNothing) {
    GameFolderScope folder;
    CommonFileIndex.clear();
    SetCommon(0, tools::CommandListBuilder().Add(300, {0, 0}, {"None.common"}), false);
    const EventInterpreter caller = RunCommon(0);
    EXPECT_EQ(CommonEvents.events.size(), 10u);
    EXPECT_TRUE(caller.children.empty());
    EXPECT_TRUE(CommonFileIndex.empty());
    EXPECT_TRUE(ReportCapture::errors().empty());
}

class MapEventCalls : public FamilyTest {
  protected:
    // Event 7 of the current map with two pages, each setting its own variable; the second
    // page is active.
    void SetUp() override {
        FamilyTest::SetUp();
        MapEvent event(7);
        event.pages.resize(2);
        event.pages[0].commands =
            tools::CommandListBuilder().Add(121, {Var(10), 0, 1, VarOp(0, 0)}).Build();
        event.pages[1].commands =
            tools::CommandListBuilder().Add(121, {Var(11), 0, 1, VarOp(0, 0)}).Build();
        TheMapState.mapData.events.push_back(event);
        EventCharacter& character = TheMapState.eventCharacters.emplace_back();
        character.mapEvent = event;
        character.activePage = 1;
        character.commands = event.pages[1].commands;
    }
};

TEST_F(MapEventCalls, APageArgumentPicksThePageAndANegativeOneTheActivePage) {
    for (const auto& [page, first, second] :
         {std::tuple{-1, 0, 1}, {-5, 0, 1}, {0, 1, 0}, {1, 0, 1}, {2, 0, 0}}) {
        V(10) = V(11) = 0;
        SetCommon(0, tools::CommandListBuilder().Add(210, {7, page}), false);
        RunCommon(0);
        EXPECT_EQ(V(10), first) << page;
        EXPECT_EQ(V(11), second) << page;
    }
    EXPECT_TRUE(ReportCapture::errors().empty());
}

TEST_F(MapEventCalls, AMissingPageOrEventIsReportedInTestPlay) {
    TestPlayMode = 1;
    SetCommon(0, tools::CommandListBuilder().Add(210, {7, 2}).Add(210, {8, 0}), false);
    RunCommon(0);
    TestPlayMode = 0;
    ASSERT_EQ(ReportCapture::errors().size(), 2u);
    EXPECT_EQ(ReportCapture::errors()[0].line2,
              test::Sjis(u8"存在しないマップEv7,ページ3を呼び出そうとしました"));
    EXPECT_EQ(ReportCapture::errors()[1].line2,
              test::Sjis(u8"存在しないマップEv8,ページ1を呼び出そうとしました"));
}

TEST_F(MapEventCalls, ACallingMapEventRunsThePagesCopyAtSlotZero) {
    EventInterpreter caller;
    caller.SetUpInterpreter(0, false);
    caller.ownCommands = tools::CommandListBuilder().Add(210, {-1, 0}).Add(104).Build();
    caller.StartInterpreter(CommandListRef::Own(), 7, -1);
    caller.mapId = TheMapState.mapNumber;
    TheMapState.eventCharacters[0].mapEvent.pages[0].commands =
        tools::CommandListBuilder().Add(180, {5}).Build();  // the child waits, so it stays
    RunInterpreter(caller);
    ASSERT_EQ(caller.children.size(), 1u);
    const EventInterpreter& child = caller.children[0];
    EXPECT_EQ(child.slot, 0);
    EXPECT_EQ(child.eventNumber, 7);
    EXPECT_EQ(child.commonNumber, -1);
    EXPECT_EQ(child.callDepth, 1);
    EXPECT_EQ(child.commandList.kind, CommandListRef::Kind::kOwn);
}

}  // namespace
}  // namespace game
