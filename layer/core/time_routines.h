#pragma once

#include <cstdint>

namespace layer {

// Local date and time.
struct DateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// File times count 100-nanosecond intervals since 1601-01-01 UTC; this is the Unix epoch.
constexpr std::uint64_t kFileTimeOfUnixEpoch = 116444736000000000u;

// The millisecond clock with the top bit cleared (0 to 0x7FFFFFFF); every time difference in
// the layer is taken between two such readings.
int ReadMillisecondClock();
// The counter behind the CPU clock choice of ReadMicrosecondClock; start-up measures its
// frequency into SystemInfo::cpu_counter_frequency.
std::uint64_t ReadCpuCounter();
// Microseconds. With use_cpu_counter 1 and a CPU counter measured at start-up, from that
// counter; else from the performance counter when start-up chose it; else the millisecond
// clock x 1000.
std::uint64_t ReadMicrosecondClock(int use_cpu_counter);

void GetLocalDateTime(DateTime* date_time);
// The local date and time of a file time.
void FileTimeToDateTime(std::uint64_t file_time, DateTime* date_time);

}  // namespace layer
