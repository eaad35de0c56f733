#include "game/interpreter/parallel_common_event.h"
#include "tests/game/interpreter/family_fixture.h"

namespace game {
namespace {

using ParallelCommonEvents = FamilyTest;

TEST_F(ParallelCommonEvents, AnAlwaysRunnerStartsAgainTheFrameAfterItEnds) {
    CommonEvents.events[2].trigger = 0x23;
    SetCommon(2, tools::CommandListBuilder().Add(121, {Var(1), Var(1), 1, VarOp(0, 0)}), true);
    ParallelCommonEvent runner(2);
    for (int frame = 0; frame < 3; ++frame)
        runner.StepParallelCommonEvent();
    EXPECT_EQ(V(1), 3);
    EXPECT_EQ(runner.interpreters.front().eventNumber, 0);
}

TEST_F(ParallelCommonEvents, AConditionalRunnerDroppedWhileWaitingStartsOver) {
    CommonEvents.events[2].trigger = 0x22;  // V(5) == 1
    CommonEvents.events[2].conditionVariable = Var(5);
    CommonEvents.events[2].conditionValue = 1;
    SetCommon(2,
              tools::CommandListBuilder()
                  .Add(121, {Var(1), Var(1), 1, VarOp(0, 0)})
                  .Add(180, {100})
                  .Add(121, {Var(2), Var(2), 1, VarOp(0, 0)}),
              false);
    ParallelCommonEvent runner(2);
    EXPECT_TRUE(runner.interpreters.empty());
    V(5) = 1;
    runner.CheckParallelTrigger();
    runner.StepParallelCommonEvent();
    V(5) = 0;
    runner.CheckParallelTrigger();
    EXPECT_TRUE(runner.interpreters.empty());
    V(5) = 1;
    runner.CheckParallelTrigger();
    runner.StepParallelCommonEvent();
    EXPECT_EQ(V(1), 2);
    EXPECT_EQ(V(2), 0);
}

TEST_F(ParallelCommonEvents, AMissingCommonEventKeepsTheRunnerDormant) {
    ParallelCommonEvent runner(40);
    runner.StepParallelCommonEvent();
    EXPECT_TRUE(runner.interpreters.empty());
}

}  // namespace
}  // namespace game
