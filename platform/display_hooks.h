#pragma once

// Test hooks of the display stand-in: refusals on demand, lost surfaces, forced display
// formats, a log of the calls made and a time source that tests step.

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

enum class DisplayOperation {
    kSetDisplayMode,
    kCreateSurface,
    kLock,
    kCooperativeLevel,
    kClipper,
    kDirect3D,
    kChangeDisplaySettings,
};

// The next call of the operation fails. For surface creation `caps` (when not 0) limits the
// refusal to a request carrying all of those capability bits.
void FailNextDisplayOperation(DisplayOperation operation, std::uint32_t caps = 0);
// True (and the refusal used up) when the call should fail.
bool TakeDisplayFailure(DisplayOperation operation, std::uint32_t caps = 0);

// Every video-memory surface loses its memory: its pixels are scrambled and blits and locks
// fail until it is restored.
void SimulateDisplayLoss();

enum class ForcedDisplayFormat {
    kNone,
    kR5G6B5,
    kX1R5G5B5,
    // 32 bits with red in the low byte.
    kX8B8G8R8,
    kPalette8,
};
// Replaces the display's format, in window mode and in every display mode.
void ForceDisplayFormat(ForcedDisplayFormat format);
ForcedDisplayFormat GetForcedDisplayFormat();

// The calls of the stand-in by name, in order, while recording is on.
void RecordDisplayCalls(bool on);
std::vector<std::string>& DisplayCallLog();
void NoteDisplayCall(const char* name);

// The time source of the vertical blank and its sleeps: the platform clock, or, once
// installed, a fake that moves on by `step` nanoseconds on every read; a sleep moves it on by
// the time slept.
void InstallSteppingDisplayClock(std::uint64_t start_nanoseconds, std::uint64_t step_nanoseconds);
void RemoveSteppingDisplayClock();
std::uint64_t ReadDisplayClock();
void SleepOnDisplayClock(std::uint64_t nanoseconds);

// Everything above back to its default.
void ResetDisplayHooks();

}  // namespace platform
