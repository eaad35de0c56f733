#include "layer/core/time_routines.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "layer/core/system_info.h"
#include "platform/clock.h"

namespace layer {
namespace {

class TimeRoutines : public testing::Test {
  protected:
    void SetUp() override { saved_ = system_info; }
    void TearDown() override {
        system_info = saved_;
        platform::RemoveFakeClock();
    }

  private:
    SystemInfo saved_;
};

TEST_F(TimeRoutines, MillisecondClockClearsTheTopBit) {
    platform::InstallFakeClock((0x80000000ull + 5) * 1000000u);
    EXPECT_EQ(ReadMillisecondClock(), 5);
    platform::AdvanceFakeClock(0x7FFFFFFAull * 1000000u);
    EXPECT_EQ(ReadMillisecondClock(), 0x7FFFFFFF);
}

TEST_F(TimeRoutines, MicrosecondClockFollowsTheChosenCounter) {
    platform::InstallFakeClock(1234567890123u);
    struct Case {
        bool time_stamp_counter;
        std::uint64_t frequency;
        bool performance_counter;
        int use_cpu_counter;
        std::uint64_t expected;
    };
    const Case cases[] = {
        {false, 0, false, 1, 1234567000u},  // millisecond clock x 1000
        {false, 0, true, 1, 1234567890u},   // performance counter
        {true, 2000000000u, true, 1, 617283945u}, {true, 2000000000u, true, 0, 1234567890u},
        {true, 0, false, 1, 1234567000u},  // no frequency measured
    };
    for (const Case& c : cases) {
        system_info.has_time_stamp_counter = c.time_stamp_counter;
        system_info.cpu_counter_frequency = c.frequency;
        system_info.uses_performance_counter = c.performance_counter;
        EXPECT_EQ(ReadMicrosecondClock(c.use_cpu_counter), c.expected);
    }
}

TEST_F(TimeRoutines, FileTimesBecomeLocalDates) {
    struct Case {
        const char* zone;
        std::uint64_t file_time;
        DateTime expected;
    };
    const Case cases[] = {
        {"UTC0", 0, {1601, 1, 1, 0, 0, 0}},
        {"UTC0", kFileTimeOfUnixEpoch, {1970, 1, 1, 0, 0, 0}},
        {"UTC0", kFileTimeOfUnixEpoch - 1, {1969, 12, 31, 23, 59, 59}},
        {"UTC0", 125963012960000000u, {2000, 2, 29, 12, 34, 56}},
        {"JST-9", kFileTimeOfUnixEpoch, {1970, 1, 1, 9, 0, 0}},
    };
    for (const Case& c : cases) {
        setenv("TZ", c.zone, 1);
        tzset();
        DateTime date;
        FileTimeToDateTime(c.file_time, &date);
        EXPECT_EQ(date.year, c.expected.year) << c.file_time;
        EXPECT_EQ(date.month, c.expected.month) << c.file_time;
        EXPECT_EQ(date.day, c.expected.day) << c.file_time;
        EXPECT_EQ(date.hour, c.expected.hour) << c.file_time;
        EXPECT_EQ(date.minute, c.expected.minute) << c.file_time;
        EXPECT_EQ(date.second, c.expected.second) << c.file_time;
    }
    unsetenv("TZ");
    tzset();
}

TEST_F(TimeRoutines, LocalDateIsToday) {
    DateTime date;
    GetLocalDateTime(&date);
    const platform::LocalTime now = platform::ReadLocalTime();
    EXPECT_EQ(date.year, now.year);
    EXPECT_EQ(date.month, now.month);
    EXPECT_GE(date.day, 1);
    EXPECT_LE(date.second, 60);
}

}  // namespace
}  // namespace layer
