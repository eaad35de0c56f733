#include "layer/core/timer_choice.h"

#include <cstdint>

#include "layer/core/elapsed_time.h"
#include "layer/core/layer_log.h"
#include "layer/core/message_pump.h"
#include "layer/core/system_info.h"
#include "layer/core/window_texts.h"
#include "platform/clock.h"

namespace layer {
namespace {

constexpr int kEnoughChanges = 60;
constexpr int kLongestWatchMilliseconds = 1000;
// The performance counter is the nanosecond clock.
constexpr double kPerformanceCounterFrequency = 1e9;
constexpr int kMultimediaTimerPeriod = 1;

}  // namespace

void ChooseMicrosecondTimer() {
    system_info.uses_performance_counter = true;
    WriteLog(kTimerTestText);
    std::uint64_t last_counter = platform::MonotonicNanoseconds();
    const int start = ReadMillisecondClock();
    int last_milliseconds = start;
    int counter_changes = 0;
    int millisecond_changes = 0;
    bool pumping = RunMessagePump() == 0;
    while (counter_changes < kEnoughChanges && millisecond_changes < kEnoughChanges &&
           MillisecondsSince(start) < kLongestWatchMilliseconds) {
        const std::uint64_t counter = platform::MonotonicNanoseconds();
        if (counter != last_counter) {
            ++counter_changes;
            last_counter = counter;
        }
        const int milliseconds = ReadMillisecondClock();
        if (milliseconds != last_milliseconds) {
            ++millisecond_changes;
            last_milliseconds = milliseconds;
        }
        pumping = pumping && RunMessagePump() == 0;
    }
    WriteLogFormat(kTimerResultFormat, millisecond_changes, counter_changes);
    WriteLog(" ");
    if (millisecond_changes > counter_changes) {
        WriteLogFormat(kMultimediaTimerFormat, kMultimediaTimerPeriod);
        system_info.uses_performance_counter = false;
    } else {
        WriteLogFormat(kPerformanceCounterFormat, kPerformanceCounterFrequency * 0.001);
    }
    WriteLog(" ");
}

}  // namespace layer
