// What a mode change measures: whether the system's copy or the surface copy is faster, and
// the length of a frame, from which presenting knows how long it may sleep before the
// vertical blank.
#include "layer/core/layer_api.h"
#include "layer/core/layer_log.h"
#include "layer/core/time_routines.h"
#include "layer/graphics/display_side.h"
#include "layer/graphics/display_texts.h"
#include "layer/graphics/graphics_services.h"
#include "platform/clock.h"

namespace layer {
namespace {

constexpr int kTrialsWithKnownRate = 4;
constexpr int kTrialsWithUnknownRate = 20;
constexpr int kMaximumTrials = kTrialsWithUnknownRate;
constexpr int kMaximumRounds = 4;
constexpr int kSynchronisations = 3;

platform::DisplayObject* Display() {
    return direct_draw.object->display;
}

bool InBlank() {
    int in_blank = 0;
    platform::GetVerticalBlankStatus(Display(), &in_blank);
    return in_blank != 0;
}

int ScanLine() {
    int line = 0;
    platform::GetScanLine(Display(), &line);
    return line;
}

// Polls until the scan line wraps or the blank begins.
void WaitForBlankOrWrap() {
    int last = ScanLine();
    for (;;) {
        const bool blank = InBlank();
        const int line = ScanLine();
        if (blank || line < last) {
            return;
        }
        last = line;
        platform::SleepMilliseconds(0);
    }
}

void WaitWhileInBlank() {
    while (InBlank()) {
        platform::SleepMilliseconds(0);
    }
}

// One frame's length in milliseconds; its microseconds are added to `microseconds`.
int RunTrial(std::uint64_t* microseconds) {
    const int start = ReadMillisecondClock();
    const std::uint64_t start_us = ReadMicrosecondClock(0);
    WaitWhileInBlank();
    WaitForBlankOrWrap();
    *microseconds += ReadMicrosecondClock(0) - start_us;
    return ReadMillisecondClock() - start;
}

double TimeCopies(bool system_copy, platform::DisplaySurface* source,
                  platform::DisplaySurface* destination, const platform::DisplayRect& rect) {
    const std::uint64_t start = ReadMicrosecondClock(0);
    for (int copy = 0; copy < 2; ++copy) {
        if (system_copy) {
            platform::GetSurfaceDrawContext(destination);
            platform::GetSurfaceDrawContext(source);
            platform::CopyBetweenDrawContexts(destination, 0, 0, rect.right, rect.bottom, source,
                                              rect.left, rect.top);
            platform::ReleaseSurfaceDrawContext(source);
            platform::ReleaseSurfaceDrawContext(destination);
        } else {
            platform::BltFastSurface(destination, 0, 0, source, &rect, 0);
        }
    }
    return static_cast<double>(ReadMicrosecondClock(0) - start);
}

}  // namespace

int FramePeriodOfTrials(const int* trials, int count) {
    for (int first = 0; first < count; ++first) {
        for (int later = first + 1; later < count; ++later) {
            if (trials[later] == trials[first]) {
                return trials[first];
            }
        }
    }
    return -1;
}

int SleepThresholdOfPeriod(int period) {
    return period < 0 ? -1 : (2 * period - 4) / 3;
}

int MeasureCopyMethod() {
    platform::DisplaySurface* source = direct_draw.primary;
    platform::DisplaySurface* destination = direct_draw.work;
    if (source == nullptr || destination == nullptr) {
        return 0;
    }
    int width = 0;
    int height = 0;
    GetScreenResolution(&width, &height);
    const platform::DisplayRect quarter{0, 0, width / 2, height / 2};
    const double blt_fast = TimeCopies(false, source, destination, quarter);
    const double bit_blt = TimeCopies(true, source, destination, quarter);
    direct_draw.flags.bitblt_for_copies = bit_blt <= blt_fast ? 1 : 0;
    WriteLogFormat(kCopyMethodFormat,
                   direct_draw.flags.bitblt_for_copies != 0 ? "BitBlt" : "BltFast");
    WriteLogFormat(kCopyTimesFormat, bit_blt, blt_fast);
    return 0;
}

int MeasureFramePeriod() {
    const int trial_count =
        direct_draw.display_refresh_rate > 0 ? kTrialsWithKnownRate : kTrialsWithUnknownRate;
    WriteLogFormat(kScanLineCountFormat, platform::ReadDisplayModeInForce().height);
    for (int sync = 0; sync < kSynchronisations; ++sync) {
        WaitForBlankOrWrap();
        WaitWhileInBlank();
    }
    WaitForBlankOrWrap();
    int trials[kMaximumTrials] = {};
    std::uint64_t microseconds = 0;
    int trials_run = 0;
    int period = -1;
    for (int round = 0; round < kMaximumRounds && period < 0; ++round) {
        for (int trial = 0; trial < trial_count; ++trial) {
            trials[trial] = RunTrial(&microseconds);
            ++trials_run;
        }
        period = FramePeriodOfTrials(trials, trial_count);
        const std::uint64_t average = microseconds / static_cast<std::uint64_t>(trials_run);
        if (direct_draw.display_refresh_rate <= 0 && average > 0) {
            const std::uint64_t tenths = 10000000 / average;
            direct_draw.display_refresh_rate =
                static_cast<int>(tenths / 10 + (tenths % 10 > 5 ? 1 : 0));
        }
    }
    if (period < 0) {
        WriteLog(kFramePeriodFailedText);
    } else {
        WriteLogFormat(kFramePeriodFormat, period);
    }
    for (int trial = 0; trial < trial_count; ++trial) {
        WriteLogFormat(kTrialFormat, trial, trials[trial]);
    }
    direct_draw.frame_period = period;
    direct_draw.vertical_blank_sleep_threshold = SleepThresholdOfPeriod(period);
    return 0;
}

}  // namespace layer
