#include <tuple>

#include "game/core/play_settings.h"
#include "game/interpreter/call_commands.h"
#include "tests/game/interpreter/family_fixture.h"

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

}  // namespace
}  // namespace game
