#include "game/interpreter/window_links.h"
#include "tests/game/interpreter/family_fixture.h"

namespace game {
namespace {

class FlowCommands : public FamilyTest, public ::testing::WithParamInterface<bool> {
  protected:
    bool prepared() const { return GetParam(); }
};

// V1 += 1 as a variable operation.
tools::CommandListBuilder& Count(tools::CommandListBuilder& b, std::int8_t indent) {
    return b.Add(121, {Var(1), Var(1), 1, VarOp(0, 0)}, {}, indent);
}

TEST_P(FlowCommands, CountedLoopsRunTheirBodyNTimes) {
    for (const auto& [count, passes] : {std::pair{3, 3}, {0, 0}, {-5, 0}}) {
        V(1) = 0;
        tools::CommandListBuilder b;
        b.Add(179, {count});
        Count(b, 1);
        b.Add(498, {}, {}, 0);
        Run(b, prepared());
        EXPECT_EQ(V(1), passes) << "N = " << count;
    }
}

TEST_P(FlowCommands, ContinueInTheLastPassLeavesTheLoop) {
    tools::CommandListBuilder b;
    b.Add(179, {2});
    Count(b, 1).Add(176, {}, {}, 1);
    b.Add(121, {Var(2), Var(2), 1, VarOp(0, 0)}, {}, 1);  // never reached
    b.Add(498);
    b.Add(121, {Var(3), 0, 7, VarOp(0, 0)});
    Run(b, prepared());
    EXPECT_EQ(V(1), 2);
    EXPECT_EQ(V(2), 0);
    EXPECT_EQ(V(3), 7);
}

TEST_P(FlowCommands, BreakInsideABranchLeavesTheLoopAtItsOwnIndent) {
    tools::CommandListBuilder b;
    b.Add(170);
    Count(b, 1);
    b.Add(111, {1, Var(1), 3, 0x12}, {}, 1);  // V1 == 3
    b.Add(401, {1}, {}, 1);
    b.Add(171, {}, {}, 2);
    b.Add(499, {}, {}, 1);
    b.Add(498);
    b.Add(121, {Var(3), 0, 9, VarOp(0, 0)});
    const EventInterpreter interpreter = Run(b, prepared());
    EXPECT_EQ(V(1), 3);
    EXPECT_EQ(V(3), 9);
    EXPECT_TRUE(interpreter.loopIndents.empty());
}

TEST_P(FlowCommands, ABranchEntersOneCaseAndSkipsTheRest) {
    tools::CommandListBuilder b;
    V(1) = 5;
    b.Add(111, {2, Var(1), 9, 0x12, Var(1), 5, 0x12});  // V1 == 9, V1 == 5
    b.Add(401, {1});
    b.Add(121, {Var(2), 0, 1, VarOp(0, 0)}, {}, 1);
    b.Add(401, {2});
    b.Add(121, {Var(3), 0, 1, VarOp(0, 0)}, {}, 1);
    b.Add(420, {0});
    b.Add(121, {Var(4), 0, 1, VarOp(0, 0)}, {}, 1);
    b.Add(499);
    Run(b, prepared());
    EXPECT_EQ(V(2), 0);
    EXPECT_EQ(V(3), 1);
    EXPECT_EQ(V(4), 0);
}

TEST_P(FlowCommands, AJumpIntoACountedLoopEndsItAtItsLoopEnd) {
    tools::CommandListBuilder b;
    b.Add(179, {5});
    b.Add(212, {}, {"inside"}, 1);
    Count(b, 1);
    b.Add(498);
    b.Add(121, {Var(2), Var(2), 1, VarOp(0, 0)});
    b.Add(111, {1, Var(2), 1, 0x12});  // once more from the label
    b.Add(401, {1});
    b.Add(213, {}, {"inside"}, 1);
    b.Add(499);
    const EventInterpreter interpreter = Run(b, prepared());
    EXPECT_EQ(V(1), 6);  // five passes, then one re-entered with count 0
    EXPECT_EQ(V(2), 2);
    EXPECT_TRUE(interpreter.loopIndents.empty());
}

TEST_P(FlowCommands, AJumpOutOfAnEndlessLoopPopsIt) {
    tools::CommandListBuilder b;
    b.Add(170);
    Count(b, 1);
    b.Add(213, {}, {"out"}, 1);
    b.Add(498);
    b.Add(212, {}, {"out"});
    b.Add(104);  // a return code: the run stops here with its loops as they are
    const EventInterpreter interpreter = Run(b, prepared());
    EXPECT_EQ(V(1), 1);
    EXPECT_TRUE(interpreter.loopIndents.empty());
}

TEST_P(FlowCommands, WaitsOfZeroOrLessDoNotWait) {
    for (const int frames : {0, -3}) {
        V(1) = 0;
        tools::CommandListBuilder b;
        b.Add(180, {frames});
        Count(b, 0);
        const EventInterpreter interpreter = Run(b, prepared());
        EXPECT_EQ(V(1), 1) << frames;
        EXPECT_EQ(interpreter.waitFrames, 0);
    }
}

TEST_P(FlowCommands, RemovingTheRunningEventFromACommonEventGoesOnNextFrame) {
    tools::CommandListBuilder b;
    b.Add(173, {-1, 0});
    Count(b, 0);
    SetCommon(0, b, prepared());
    EventInterpreter interpreter;
    interpreter.SetUpInterpreter(0, false);
    interpreter.StartInterpreter(CommandListRef::Common(0), -1, 0);
    RunInterpreter(interpreter);
    EXPECT_EQ(V(1), 0);
    EXPECT_EQ(interpreter.line, 1);
    RunInterpreter(interpreter);
    EXPECT_EQ(V(1), 1);
}

TEST_P(FlowCommands, BreakAndLoopEndWithoutAnOpenLoopDoNothing) {
    tools::CommandListBuilder b;
    b.Add(171).Add(176).Add(498);
    Count(b, 0);
    Run(b, prepared());
    EXPECT_EQ(V(1), 1);
}

TEST_P(FlowCommands, AChoiceEntersTheCaseOfTheReturnedValue) {
    // The choice window returns its item + 2 (or the cancel value) to the choice's indent.
    tools::CommandListBuilder b;
    b.Add(102, {3}, {"a", "b", "c"});
    for (const int item : {2, 3, 4}) {
        b.Add(402, {item});
        b.Add(121, {Var(item), 0, 1, VarOp(0, 0)}, {}, 1);
    }
    b.Add(421, {5});
    b.Add(121, {Var(5), 0, 1, VarOp(0, 0)}, {}, 1);
    b.Add(499);
    b.Add(121, {Var(6), 0, 1, VarOp(0, 0)});
    SetCommon(0, b, prepared());
    for (const int value : {2, 3, 4, 5, 9}) {
        for (int v = 2; v <= 6; ++v)
            V(v) = 0;
        TheScreenState.choiceText.clear();
        EventInterpreter interpreter;
        interpreter.SetUpInterpreter(0, false);
        interpreter.StartInterpreter(CommandListRef::Common(0), -1, 0);
        RunInterpreter(interpreter);
        ASSERT_TRUE(interpreter.messageWait);
        ReturnChoiceResult(TheScreenState, value);
        RunInterpreter(interpreter);
        for (int v = 2; v <= 5; ++v)
            EXPECT_EQ(V(v), v == value ? 1 : 0) << "value " << value << ", V" << v;
        EXPECT_EQ(V(6), 1) << value;
        EXPECT_FALSE(interpreter.IsInterpreterRunning());
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, FlowCommands, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Prepared" : "Unprepared"; });

TEST_F(FamilyTest, ACountedLoopDrawsARandomCountTwice) {
    // With 8000000 + 1 the count and the test are drawn separately; every pass count from
    // 0 to 1 must leave the loop cleanly.
    for (int attempt = 0; attempt < 20; ++attempt) {
        V(1) = 0;
        tools::CommandListBuilder b;
        b.Add(179, {8000001});
        b.Add(121, {Var(1), Var(1), 1, VarOp(0, 0)}, {}, 1);
        b.Add(498);
        const EventInterpreter interpreter = Run(b);
        EXPECT_LE(V(1), 1);
        EXPECT_TRUE(interpreter.loopIndents.empty());
    }
}

TEST_F(FamilyTest, EndTitleAndQuitSetTheScene) {
    Run(tools::CommandListBuilder().Add(174));
    EXPECT_EQ(TheScreenState.SceneNumber, 0);
    TheScreenState.SceneNumber = 1;
    const EventInterpreter interpreter = Run(tools::CommandListBuilder().Add(175));
    EXPECT_EQ(TheScreenState.SceneNumber, -1);
    EXPECT_FALSE(interpreter.IsInterpreterRunning());
}

}  // namespace
}  // namespace game
