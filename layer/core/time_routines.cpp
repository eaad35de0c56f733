#include "layer/core/time_routines.h"

#include "layer/core/system_info.h"
#include "layer/core/wide_arithmetic.h"
#include "platform/clock.h"

namespace layer {
namespace {

constexpr std::uint64_t kPerformanceCounterFrequency = 1000000000u;
constexpr std::int64_t kFileTimeTicksPerSecond = 10000000;

std::uint64_t TicksToMicroseconds(std::uint64_t ticks, std::uint64_t frequency) {
    return Div128By64(Mul64To128(ticks, 1000000u), frequency);
}

DateTime ToDateTime(const platform::LocalTime& time) {
    return {time.year, time.month, time.day, time.hour, time.minute, time.second};
}

}  // namespace

int ReadMillisecondClock() {
    return static_cast<int>(platform::MonotonicMilliseconds() & 0x7FFFFFFFu);
}

std::uint64_t ReadCpuCounter() {
    return platform::MonotonicNanoseconds();
}

std::uint64_t ReadMicrosecondClock(int use_cpu_counter) {
    if (use_cpu_counter == 1 && system_info.has_time_stamp_counter &&
        system_info.cpu_counter_frequency != 0) {
        return TicksToMicroseconds(ReadCpuCounter(), system_info.cpu_counter_frequency);
    }
    if (system_info.uses_performance_counter) {
        return TicksToMicroseconds(platform::MonotonicNanoseconds(), kPerformanceCounterFrequency);
    }
    return static_cast<std::uint64_t>(platform::MonotonicMilliseconds()) * 1000u;
}

void GetLocalDateTime(DateTime* date_time) {
    *date_time = ToDateTime(platform::ReadLocalTime());
}

void FileTimeToDateTime(std::uint64_t file_time, DateTime* date_time) {
    // Floor division, so that times before 1970 fall into the right second.
    const std::int64_t since_epoch =
        static_cast<std::int64_t>(file_time) - static_cast<std::int64_t>(kFileTimeOfUnixEpoch);
    std::int64_t seconds = since_epoch / kFileTimeTicksPerSecond;
    if (since_epoch % kFileTimeTicksPerSecond < 0) {
        --seconds;
    }
    *date_time = ToDateTime(platform::LocalTimeOf(seconds));
}

}  // namespace layer
