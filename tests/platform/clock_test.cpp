#include "platform/clock.h"

#include <gtest/gtest.h>

#include "tests/support/fake_clock_scope.h"

namespace {

TEST(FakeClock, ReadingsComeFromItAndSleepsAdvanceIt) {
    {
        test::FakeClockScope clock(5'000'000'000u);
        EXPECT_TRUE(platform::IsFakeClockInstalled());
        EXPECT_EQ(platform::MonotonicMilliseconds(), 5000u);
        EXPECT_EQ(platform::MonotonicNanoseconds(), 5'000'000'000u);
        platform::SleepMilliseconds(250);
        EXPECT_EQ(platform::MonotonicMilliseconds(), 5250u);
        platform::SleepMilliseconds(0);  // a yield takes no time
        EXPECT_EQ(platform::MonotonicMilliseconds(), 5250u);
        clock.Advance(1'500'000);
        EXPECT_EQ(platform::MonotonicNanoseconds(), 5'251'500'000u);
    }
    EXPECT_FALSE(platform::IsFakeClockInstalled());
}

TEST(FakeClock, MillisecondsWrapLikeTheTickCount) {
    test::FakeClockScope clock((std::uint64_t{1} << 32) * 1'000'000u + 7'000'000u);
    EXPECT_EQ(platform::MonotonicMilliseconds(), 7u);
}

TEST(Clock, RealClockMovesForward) {
    const std::uint64_t before = platform::MonotonicNanoseconds();
    platform::SleepMilliseconds(2);
    EXPECT_GE(platform::MonotonicNanoseconds() - before, 2'000'000u);
}

TEST(Clock, LocalTimeOfAMoment) {
    setenv("TZ", "UTC", 1);
    tzset();
    const platform::LocalTime time = platform::LocalTimeOf(951782400);  // 2000-02-29 00:00 UTC
    EXPECT_EQ(time.year, 2000);
    EXPECT_EQ(time.month, 2);
    EXPECT_EQ(time.day, 29);
    EXPECT_EQ(time.hour, 0);
    EXPECT_EQ(time.day_of_week, 2);  // Tuesday
}

}  // namespace
