// The virtual vertical blank: a 60 Hz beat on the display's time source, in the blank for the
// last 5 % of each period.
#include "platform/display_hooks.h"
#include "platform/display_internal.h"

namespace platform {
namespace {

constexpr std::uint64_t kPeriod = 1'000'000'000 / 60;
constexpr std::uint64_t kBlankStart = kPeriod - kPeriod / 20;

}  // namespace

int GetVerticalBlankStatus(const DisplayObject*, int* in_blank) {
    *in_blank = ReadDisplayClock() % kPeriod >= kBlankStart ? 1 : 0;
    return kDisplayOk;
}

int GetScanLine(const DisplayObject*, int* line) {
    const std::uint64_t phase = ReadDisplayClock() % kPeriod;
    const int height = ReadDisplayModeInForce().height;
    *line = static_cast<int>(phase * static_cast<std::uint64_t>(height) / kPeriod);
    return kDisplayOk;
}

int WaitForVerticalBlank(DisplayObject*) {
    const std::uint64_t phase = ReadDisplayClock() % kPeriod;
    const std::uint64_t wait =
        phase < kBlankStart ? kBlankStart - phase : kPeriod - phase + kBlankStart;
    SleepOnDisplayClock(wait);
    return kDisplayOk;
}

}  // namespace platform
