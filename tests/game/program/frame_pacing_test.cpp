#include "game/program/frame_pacing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace game {
namespace {

// A clock that frames advance by hand; waits move it on and are recorded.
struct ScriptedClock {
    int now = 0;
    std::vector<int> waits;

    PacingClock Clock() {
        return {[this] { return now; },
                [this](int ms) {
                    waits.push_back(ms);
                    now += ms;
                }};
    }
};

// Runs frames of the given work times through the loop's draw decision and pacing; returns
// which frames drew.
std::string RunFrames(FramePacing& pacing, ScriptedClock& clock, int fps, float step,
                      const std::vector<int>& work) {
    std::string drawn;
    for (int ms : work) {
        const bool draws = IsDrawDue(pacing, false, false);
        if (draws)
            pacing.drawAccumulator = 0.0f;
        drawn += draws ? 'D' : '-';
        clock.now += ms;
        PaceFrame(pacing, fps, step, clock.Clock());
    }
    return drawn;
}

struct PeriodCase {
    int framesPerUpdate;
    int period;
    int window;
};

class PeriodTest : public testing::TestWithParam<PeriodCase> {};

TEST_P(PeriodTest, PeriodsRoundByAddingAHalf) {
    FramePacing pacing;
    StartFramePacing(pacing, 1000, GetParam().framesPerUpdate);
    EXPECT_EQ(pacing.normalPeriod, GetParam().period);
    EXPECT_EQ(pacing.framePeriod, GetParam().period);
    EXPECT_EQ(pacing.threeFrameWindow, GetParam().window);
    EXPECT_EQ(pacing.lastDurations,
              (std::array<int, 3>{GetParam().period, GetParam().period, GetParam().period}));
    EXPECT_EQ(pacing.frameStart, 1000);
    EXPECT_EQ(pacing.drawAccumulator, 0.0f);
}

INSTANTIATE_TEST_SUITE_P(FramesPerUpdate, PeriodTest,
                         testing::Values(PeriodCase{1, 17, 50}, PeriodCase{2, 33, 100},
                                         PeriodCase{3, 50, 149}, PeriodCase{4, 66, 199}),
                         [](const auto& info) {
                             return "FramesPerUpdate" + std::to_string(info.param.framesPerUpdate);
                         });

TEST(FramePacingTest, FiftyFourFramesTakesTheFastPathAndWaitsToSixteenMilliseconds) {
    FramePacing pacing;
    ScriptedClock clock;
    StartFramePacing(pacing, 0, 1);
    clock.now = 5;
    PaceFrame(pacing, 54, 1.0f, clock.Clock());
    EXPECT_EQ(clock.waits, std::vector<int>{11});
    EXPECT_EQ(pacing.lastDurations[0], 5);
    EXPECT_EQ(pacing.frameStart, 16);
}

TEST(FramePacingTest, FiftyThreeFramesTakesTheSlowPathAndFillsTheThreeFrameWindow) {
    FramePacing pacing;
    ScriptedClock clock;
    StartFramePacing(pacing, 0, 1);
    clock.now = 5;
    PaceFrame(pacing, 53, 1.0f, clock.Clock());
    // 50 - (5 + 17 + 17) = 11, added to the newest duration.
    EXPECT_EQ(clock.waits, std::vector<int>{11});
    EXPECT_EQ(pacing.lastDurations, (std::array<int, 3>{16, 17, 17}));
    EXPECT_EQ(pacing.drawDue, 1);
}

TEST(FramePacingTest, TheFastPathNeverWaitsForAFrameAlreadyLongerThanSixteen) {
    FramePacing pacing;
    ScriptedClock clock;
    StartFramePacing(pacing, 0, 1);
    clock.now = 40;
    PaceFrame(pacing, 60, 1.0f, clock.Clock());
    EXPECT_EQ(clock.waits, std::vector<int>{0});
    EXPECT_EQ(pacing.drawDue, 1);
}

TEST(FramePacingTest, ASlowMachineNeverSkipsTwoDrawingsInARow) {
    FramePacing pacing;
    ScriptedClock clock;
    StartFramePacing(pacing, 0, 1);
    pacing.drawAccumulator = 1.0f;
    // Every frame takes 40 ms against a 17 ms period.
    EXPECT_EQ(RunFrames(pacing, clock, 20, 1.0f, std::vector<int>(8, 40)), "D-D-D-D-");
}

TEST(FramePacingTest, ALateFrameSkipsTheNextDrawingWhichThenPaysTheLatenessBack) {
    FramePacing pacing;
    ScriptedClock clock;
    StartFramePacing(pacing, 0, 1);
    pacing.drawAccumulator = 1.0f;
    // One frame 30 ms late; the skipped frame after it is fast and pays that off.
    EXPECT_EQ(RunFrames(pacing, clock, 20, 1.0f, {47, 5, 5, 5}), "D-DD");
    EXPECT_LE(pacing.lateness, 0);
}

TEST(FramePacingTest, FrameSkipLevelTwoDrawsOneFrameInFour) {
    FramePacing pacing;
    ScriptedClock clock;
    StartFramePacing(pacing, 0, 1);
    EXPECT_EQ(RunFrames(pacing, clock, 60, 0.25f, std::vector<int>(12, 4)), "----D---D---");
}

TEST(FramePacingTest, FrameSkipLevelOneDrawsEverySecondFrame) {
    FramePacing pacing;
    ScriptedClock clock;
    StartFramePacing(pacing, 0, 1);
    EXPECT_EQ(RunFrames(pacing, clock, 60, 0.5f, std::vector<int>(6, 4)), "--D-D-");
}

TEST(FramePacingTest, APreparedTransitionKeepsTheFrameFromDrawing) {
    FramePacing pacing;
    pacing.drawAccumulator = 1.0f;
    EXPECT_TRUE(IsDrawDue(pacing, false, false));
    EXPECT_FALSE(IsDrawDue(pacing, true, false));
    pacing.drawDue = 0;
    EXPECT_FALSE(IsDrawDue(pacing, false, false));
}

TEST(FramePacingTest, TheFinalFrameDrawsWhateverThePacingDecided) {
    FramePacing pacing;
    ScriptedClock clock;
    StartFramePacing(pacing, 0, 1);
    pacing.drawAccumulator = 1.0f;
    // A frame 30 ms late on a slow machine: the next frame skips its drawing.
    EXPECT_EQ(RunFrames(pacing, clock, 20, 1.0f, {47}), "D");
    EXPECT_FALSE(IsDrawDue(pacing, false, false));
    EXPECT_TRUE(IsDrawDue(pacing, false, true));
    // Frame skip leaves the accumulator short of a drawing.
    pacing.drawDue = 1;
    pacing.drawAccumulator = 0.25f;
    EXPECT_FALSE(IsDrawDue(pacing, false, false));
    EXPECT_TRUE(IsDrawDue(pacing, false, true));
    // A prepared transition keeps its captured picture even then.
    EXPECT_FALSE(IsDrawDue(pacing, true, true));
}

struct ReplaySpeedCase {
    const char* name;
    bool replay;
    bool confirm;
    bool sub;
    int period;
};

class ReplaySpeedTest : public testing::TestWithParam<ReplaySpeedCase> {};

TEST_P(ReplaySpeedTest, ConfirmAndSubShortenReplayFrames) {
    FramePacing pacing;
    StartFramePacing(pacing, 0, 2);
    ChooseFramePeriod(pacing, GetParam().replay, GetParam().confirm, GetParam().sub);
    EXPECT_EQ(pacing.framePeriod, GetParam().period);
}

INSTANTIATE_TEST_SUITE_P(Keys, ReplaySpeedTest,
                         testing::Values(ReplaySpeedCase{"ReplayConfirm", true, true, false, 5},
                                         ReplaySpeedCase{"ReplayConfirmSub", true, true, true, 1},
                                         ReplaySpeedCase{"ReplaySubOnly", true, false, true, 33},
                                         ReplaySpeedCase{"LiveConfirm", false, true, true, 33}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FramePacingTest, AShortReplayPeriodShortensOnlySlowPathFrames) {
    FramePacing pacing;
    ScriptedClock clock;
    StartFramePacing(pacing, 0, 1);
    ChooseFramePeriod(pacing, true, true, false);
    pacing.lastDurations = {5, 5, 5};
    clock.now = 5;
    PaceFrame(pacing, 60, 1.0f, clock.Clock());
    EXPECT_EQ(clock.waits, std::vector<int>{11});
}

}  // namespace
}  // namespace game
