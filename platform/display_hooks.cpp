#include "platform/display_hooks.h"

#include <chrono>
#include <thread>

#include "platform/clock.h"
#include "platform/display_internal.h"

namespace platform {
namespace {

struct PendingFailure {
    DisplayOperation operation;
    std::uint32_t caps;
};

struct SteppingClock {
    bool installed = false;
    std::uint64_t now = 0;
    std::uint64_t step = 0;
};

struct DisplayHooks {
    std::vector<PendingFailure> failures;
    ForcedDisplayFormat forced = ForcedDisplayFormat::kNone;
    bool recording = false;
    std::vector<std::string> calls;
    SteppingClock clock;
};

DisplayHooks hooks;

}  // namespace

void FailNextDisplayOperation(DisplayOperation operation, std::uint32_t caps) {
    hooks.failures.push_back({operation, caps});
}

bool TakeDisplayFailure(DisplayOperation operation, std::uint32_t caps) {
    for (auto it = hooks.failures.begin(); it != hooks.failures.end(); ++it) {
        if (it->operation == operation && (it->caps & caps) == it->caps) {
            hooks.failures.erase(it);
            return true;
        }
    }
    return false;
}

void SimulateDisplayLoss() {
    LoseVideoMemorySurfaces();
}

void ForceDisplayFormat(ForcedDisplayFormat format) {
    hooks.forced = format;
}

ForcedDisplayFormat GetForcedDisplayFormat() {
    return hooks.forced;
}

void RecordDisplayCalls(bool on) {
    hooks.recording = on;
}

std::vector<std::string>& DisplayCallLog() {
    return hooks.calls;
}

void NoteDisplayCall(const char* name) {
    if (hooks.recording) {
        hooks.calls.emplace_back(name);
    }
}

void InstallSteppingDisplayClock(std::uint64_t start_nanoseconds, std::uint64_t step_nanoseconds) {
    hooks.clock = {true, start_nanoseconds, step_nanoseconds};
}

void RemoveSteppingDisplayClock() {
    hooks.clock = {};
}

std::uint64_t ReadDisplayClock() {
    if (!hooks.clock.installed) {
        return MonotonicNanoseconds();
    }
    hooks.clock.now += hooks.clock.step;
    return hooks.clock.now;
}

void SleepOnDisplayClock(std::uint64_t nanoseconds) {
    if (hooks.clock.installed) {
        hooks.clock.now += nanoseconds;
        return;
    }
    if (IsFakeClockInstalled()) {
        AdvanceFakeClock(nanoseconds);
        return;
    }
    std::this_thread::sleep_for(std::chrono::nanoseconds(nanoseconds));
}

void ResetDisplayHooks() {
    hooks.failures.clear();
    hooks.forced = ForcedDisplayFormat::kNone;
    hooks.recording = false;
    hooks.calls.clear();
    hooks.clock = {};
}

}  // namespace platform
