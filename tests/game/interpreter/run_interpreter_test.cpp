#include "game/interpreter/run_interpreter.h"

#include <gtest/gtest.h>

#include "game/core/play_settings.h"
#include "game/interpreter/dispatch_commands.h"
#include "tests/game/core/fresh_game_state.h"
#include "tests/game/core/report_capture.h"
#include "tests/support/sjis.h"
#include "tools/lib/command_list_builder.h"

namespace game {
namespace {

using tools::CommandListBuilder;

class RunInterpreterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        FreshGameState();
        TheScreenState.SceneNumber = 1;
        FramesPerUpdate = 1;
    }
    void TearDown() override { FramesPerUpdate = 1; }

    void Start(std::vector<EventCommand> commands) {
        interpreter.ownCommands = std::move(commands);
        interpreter.StartInterpreter(CommandListRef::Own(), 1, -1);
    }

    ReportCapture reports;
    EventInterpreter interpreter;
};

TEST_F(RunInterpreterTest, RunsToTheEndInOneFrame) {
    Start(CommandListBuilder().Add(0).Add(212).Add(0).Build());
    RunInterpreter(interpreter);
    EXPECT_FALSE(interpreter.IsInterpreterRunning());
}

TEST_F(RunInterpreterTest, WaitsInTheirOrder) {
    Start(CommandListBuilder().Add(105).Build());
    interpreter.messageWait = true;
    interpreter.waitFrames = 3;
    RunInterpreter(interpreter);
    EXPECT_EQ(interpreter.waitFrames, 3);  // the message wait comes first
    interpreter.messageWait = false;
    interpreter.moveWait = true;
    TheParty.forcedRoute = 1;
    RunInterpreter(interpreter);
    EXPECT_TRUE(interpreter.moveWait);
    EXPECT_EQ(interpreter.waitFrames, 3);
    TheParty.forcedRoute = 0;
    TheScreenState.scrollWait = 1;
    TheMapState.scrollLeftX = 4;
    RunInterpreter(interpreter);
    EXPECT_FALSE(interpreter.moveWait);  // cleared once nothing moves along a route
    EXPECT_EQ(TheScreenState.scrollWait, 1);
    TheMapState.scrollLeftX = 0;
    RunInterpreter(interpreter);
    EXPECT_EQ(TheScreenState.scrollWait, 0);
    EXPECT_EQ(interpreter.waitFrames, 2);
    EXPECT_EQ(interpreter.line, 0);
}

TEST_F(RunInterpreterTest, ATenFrameWaitAtTwoFramesPerUpdateLastsFiveUpdates) {
    FramesPerUpdate = 2;
    Start(CommandListBuilder().Add(105).Build());
    interpreter.waitFrames = 10;
    int updates = 0;
    while (interpreter.waitFrames > 0) {
        RunInterpreter(interpreter);
        ++updates;
    }
    EXPECT_EQ(updates, 5);
    RunInterpreter(interpreter);
    EXPECT_EQ(TheScreenState.messageHold, 1);
}

TEST_F(RunInterpreterTest, AChildEndingInItsFirstFrameLetsTheCallerGoOn) {
    CommonEvents.events[0].commands = CommandListBuilder().Add(0).Build();
    Start(CommandListBuilder().Add(0).Add(105).Build());
    interpreter.children.resize(1);
    interpreter.children[0].StartInterpreter(CommandListRef::Common(0), -1, 0);
    interpreter.line = 1;
    RunInterpreter(interpreter);
    EXPECT_TRUE(interpreter.children.empty());
    EXPECT_EQ(TheScreenState.messageHold, 1);
    EXPECT_FALSE(interpreter.IsInterpreterRunning());
}

TEST_F(RunInterpreterTest, ARunningChildHoldsItsCaller) {
    CommonEvents.events[0].commands = CommandListBuilder().Add(101, {}, {"hi"}).Build();
    Start(CommandListBuilder().Add(0).Add(105).Build());
    interpreter.children.resize(1);
    interpreter.children[0].StartInterpreter(CommandListRef::Common(0), -1, 0);
    RunInterpreter(interpreter);
    ASSERT_EQ(interpreter.children.size(), 1u);
    EXPECT_EQ(TheScreenState.messageText, "hi");
    EXPECT_EQ(TheScreenState.messageHold, 0);
}

TEST_F(RunInterpreterTest, TooManyStepsAreReportedThenPaused) {
    // An endless fast jump onto itself.
    std::vector<EventCommand> commands = CommandListBuilder().Add(498000).Build();
    commands[0].preparedInts = {0, -1};
    Start(commands);
    RunInterpreter(interpreter);
    ASSERT_EQ(ReportCapture::errors().size(), 1u);
    EXPECT_EQ(
        ReportCapture::errors()[0].line1,
        test::Sjis(u8"1フレームあたりの処理が500000個を越えました！ イベント1 (コモン-1) 0行"));
    EXPECT_EQ(interpreter.waitFrames, 4);         // the pass that reports already waits a frame
    EXPECT_EQ(interpreter.commandsThisFrame, 0);  // the report starts the count again
    EXPECT_TRUE(interpreter.IsInterpreterRunning());
}

int StepLimitReports() {
    const std::string report = test::Sjis(u8"1フレームあたりの処理が500000個を越えました！");
    int count = 0;
    for (const ReportCapture::ErrorLines& lines : ReportCapture::errors())
        count += lines.line1.rfind(report, 0) == 0 ? 1 : 0;
    return count;
}

// An automatic event that never switches itself off is picked again at once: the count goes
// on across the picks, so the frame ends with the report and a new frame counts afresh.
TEST_F(RunInterpreterTest, AnEventPickedAgainAndAgainEndsTheFrame) {
    CommonEvents.events[3].trigger = 0x21;
    CommonEvents.events[3].commands = CommandListBuilder().Add(0x7FFF).Build();
    TheMainInterpreter.SetUpInterpreter(0, true);
    RunInterpreter(TheMainInterpreter);
    EXPECT_EQ(StepLimitReports(), 1);
    EXPECT_EQ(TheMainInterpreter.waitFrames, 4);
    RunInterpreter(TheMainInterpreter);
    EXPECT_EQ(TheMainInterpreter.waitFrames, 3);
    EXPECT_EQ(TheMainInterpreter.commandsThisFrame, 1);
}

// A loop calling an event of 200000 steps three times: the frame's steps add up past the limit
// but no interpreter passes it on its own, since a called event counts its own steps from the
// start of its own run; the whole loop runs in the one frame without a report.
TEST_F(RunInterpreterTest, EachCalledEventCountsItsOwnSteps) {
    CommonEvents.events[1].commands =
        CommandListBuilder().Add(179, {100000}).Add(0x7FFF, {}, {}, 1).Add(498).Build();
    Start(CommandListBuilder().Add(179, {3}).Add(210, {500001}, {}, 1).Add(498).Build());
    RunInterpreter(interpreter);
    EXPECT_EQ(StepLimitReports(), 0);
    EXPECT_TRUE(interpreter.children.empty());
    EXPECT_FALSE(interpreter.IsInterpreterRunning());
}

TEST_F(RunInterpreterTest, ALineDoneWhileTheSceneIsLeftStaysPut) {
    Start(CommandListBuilder().Add(105).Add(105).Build());
    TheScreenState.SceneNumber = -1;
    RunInterpreter(interpreter);
    EXPECT_EQ(TheScreenState.messageHold, 1);
    EXPECT_EQ(interpreter.line, 0);
    TheScreenState.SceneNumber = 0;  // back to the title: nothing runs
    TheScreenState.messageHold = 0;
    RunInterpreter(interpreter);
    EXPECT_EQ(TheScreenState.messageHold, 0);
}

TEST_F(RunInterpreterTest, TheMainInterpreterPicksWhenIdle) {
    CommonEvents.events[3].trigger = 0x21;
    CommonEvents.events[3].commands = CommandListBuilder().Add(101, {}, {"auto"}).Build();
    TheMainInterpreter.SetUpInterpreter(0, true);
    RunInterpreter(TheMainInterpreter);
    EXPECT_EQ(TheScreenState.messageText, "auto");
    EXPECT_EQ(TheMainInterpreter.commonNumber, 3);
    EXPECT_TRUE(TheMainInterpreter.messageWait);
}

TEST_F(RunInterpreterTest, ALoadStopsEveryInterpreter) {
    Start(CommandListBuilder().Add(105).Build());
    SaveLoadedThisFrame = 1;
    RunInterpreter(interpreter);
    SaveLoadedThisFrame = 0;
    EXPECT_EQ(TheScreenState.messageHold, 0);
}

struct KeyCase {
    const char* name;
    int option;
    bool wait;
    std::int32_t stored;  // -1: nothing stored
};

class KeyInputEvaluation : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyInputEvaluation, StoresTheKeyCode) {
    FreshGameState();
    TheInputState.upHeld = 1;
    TheInputState.downHeld = 1;
    TheInputState.leftHeld = 1;
    TheInputState.rightHeld = 1;
    TheInputState.confirmHeld = 1;
    EventInterpreter interpreter;
    interpreter.ownCommands = CommandListBuilder().Add(123, {2000001, GetParam().option}).Build();
    interpreter.StartInterpreter(CommandListRef::Own(), -1, -1);
    TheVariableStore.StoreValueById(2000001, -1);
    interpreter.keyWait = GetParam().wait;
    interpreter.line = GetParam().wait ? 1 : 0;
    EvaluateKeyInput(interpreter);
    EXPECT_EQ(TheVariableStore.ReadValueById(2000001), GetParam().stored);
    EXPECT_EQ(interpreter.keyWait, GetParam().wait && GetParam().stored == -1);
}

INSTANTIATE_TEST_SUITE_P(Groups, KeyInputEvaluation,
                         ::testing::Values(KeyCase{"UpOrDownPrefersUp", 7, false, 8},
                                           KeyCase{"LeftOrRightPrefersRight", 8, false, 6},
                                           KeyCase{"HeldConfirmWithoutWait", 0x10, false, 10},
                                           KeyCase{"ConfirmBeforeDirections", 0x17, false, 10},
                                           KeyCase{"HeldIsNotNewWhileWaiting", 0x17, true, -1},
                                           KeyCase{"NothingWithoutWaitStoresZero", 0x40, false, 0},
                                           KeyCase{"UnknownDeviceGroupSkipsTheKeys", 0x317, false,
                                                   0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct TextEntryCase {
    const char* name;
    bool cancelled;
    std::string typed;
    std::string stored;
    int state;
};

class TextEntryFinish : public ::testing::TestWithParam<TextEntryCase> {};

TEST_P(TextEntryFinish, StoresTheKeptAndTypedText) {
    FreshGameState();
    EventInterpreter interpreter;
    interpreter.textTarget = 3000002;
    interpreter.textBuffer = "kept:";
    TheMainInterpreter.TextInputState = 1;
    FinishTextEntry(interpreter, GetParam().cancelled, GetParam().typed);
    EXPECT_EQ(TheVariableStore.ReadStringById(3000002), GetParam().stored);
    EXPECT_EQ(TheMainInterpreter.TextInputState, GetParam().state);
}

INSTANTIATE_TEST_SUITE_P(
    Ends, TextEntryFinish,
    ::testing::Values(TextEntryCase{"Cancelled", true, "typed", "kept:", -1},
                      TextEntryCase{"Confirmed", false, "typed", "kept:typed", 0},
                      TextEntryCase{"BackslashDoubled", false, "a\\b", "kept:a\\\\b", 0},
                      TextEntryCase{"TrailByteKept", false, "\x95\\", "kept:\x95\\", 0},
                      TextEntryCase{"Empty", false, "", "kept:", 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace game
