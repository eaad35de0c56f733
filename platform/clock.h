#pragma once

#include <cstdint>

namespace platform {

// Milliseconds of the monotonic clock; wraps like the 32-bit system tick count.
std::uint32_t MonotonicMilliseconds();
// Nanoseconds of the monotonic clock.
std::uint64_t MonotonicNanoseconds();
// Sleeps for the given milliseconds; 0 yields the rest of the time slice.
void SleepMilliseconds(int milliseconds);

struct LocalTime {
    int year = 0;
    int month = 0;  // 1-12
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;
    int day_of_week = 0;  // 0 Sunday
};
LocalTime ReadLocalTime();
// Local time of a moment given in seconds since the Unix epoch.
LocalTime LocalTimeOf(std::int64_t unix_seconds);

// While a fake clock is installed, readings come from it and sleeps advance it instead of
// waiting; the local time stays real. Tests and replays use it.
void InstallFakeClock(std::uint64_t start_nanoseconds);
void RemoveFakeClock();
bool IsFakeClockInstalled();
void AdvanceFakeClock(std::uint64_t nanoseconds);
// Called with the nanoseconds of every advance of the fake clock, after it moved (the manual
// audio output renders the time that passed); null removes it.
using FakeClockListener = void (*)(std::uint64_t nanoseconds);
void SetFakeClockListener(FakeClockListener listener);

}  // namespace platform
