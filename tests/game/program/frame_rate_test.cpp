#include "game/program/frame_rate.h"

#include <gtest/gtest.h>

namespace game {
namespace {

struct Counted {
    int fps = 0;
    int seconds = 0;
    int milliseconds = 0;
};

// Counts frames every `step` ms up to `until` ms.
Counted CountEvery(int step, int until) {
    FrameRateCount count;
    Counted result;
    for (int now = 0; now <= until; now += step)
        result.fps = CountFrameRateAt(count, true, now, {result.seconds, result.milliseconds});
    return result;
}

TEST(FrameRateTest, ASteadySixtyFramesASecondReportsSixty) {
    const Counted counted = CountEvery(1000 / 60 + (1000 % 60 != 0), 3000);
    EXPECT_GE(counted.fps, 58);
    EXPECT_LE(counted.fps, 60);
    FrameRateCount exact;
    int seconds = 0;
    int milliseconds = 0;
    int fps = 0;
    // Thirty frames in each half second, the last of each window landing on its boundary.
    for (int frame = 0; frame <= 120; ++frame)
        fps = CountFrameRateAt(exact, true, frame * 500 / 30, {seconds, milliseconds});
    EXPECT_EQ(fps, 60);
}

TEST(FrameRateTest, TheRateIsZeroForTheFirstHalfSecond) {
    EXPECT_EQ(CountEvery(16, 496).fps, 0);
    EXPECT_GT(CountEvery(16, 512).fps, 0);
}

TEST(FrameRateTest, PlayTimeKeepsTheRestOfEachSecond) {
    FrameRateCount count;
    int seconds = 0;
    int milliseconds = 0;
    CountFrameRateAt(count, false, 100, {seconds, milliseconds});
    CountFrameRateAt(count, false, 1350, {seconds, milliseconds});
    EXPECT_EQ(seconds, 1);
    EXPECT_EQ(milliseconds, 250);
    CountFrameRateAt(count, false, 2120, {seconds, milliseconds});
    EXPECT_EQ(seconds, 2);
    EXPECT_EQ(milliseconds, 20);
}

TEST(FrameRateTest, UncountedCallsLeaveTheRateAlone) {
    FrameRateCount count;
    int seconds = 0;
    int milliseconds = 0;
    for (int now = 0; now <= 2000; now += 10)
        EXPECT_EQ(CountFrameRateAt(count, false, now, {seconds, milliseconds}), 0);
}

}  // namespace
}  // namespace game
