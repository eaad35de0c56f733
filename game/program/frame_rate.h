#pragma once

#include <array>

namespace game {

// The frame-rate count: frames counted in two half-second windows, and the play-time clock.
struct FrameRateCount {
    bool started = false;
    std::array<int, 2> slots{};
    int slot = 0;
    int running = 0;
    int windowStart = 0;
    int secondStart = 0;
};

// The play time the count keeps.
struct PlayClock {
    int& seconds;
    int& milliseconds;
};

// One call at time `now` (ms): counts a frame when asked, advances the play time by whole
// seconds without losing the rest, and returns the frames of the last two half seconds.
int CountFrameRateAt(FrameRateCount& count, bool countThisFrame, int now, PlayClock clock);

// Once per frame of the frame loop, on the layer clock: keeps the main interpreter's play time
// and MeasuredFps, and returns MeasuredFps.
int CountFrameRate(bool countThisFrame);

}  // namespace game
