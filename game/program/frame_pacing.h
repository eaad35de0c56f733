#pragma once

#include <array>
#include <cstdint>
#include <functional>

namespace game {

// The clock (milliseconds) and the wait the pacing runs on: the layer's in the frame loop,
// a test's own elsewhere.
struct PacingClock {
    std::function<int()> now;
    std::function<void(int)> wait;
};

// The map scene's frame pacing. Frames last FramesPerUpdate x 16.6 ms. While the machine keeps
// up (kFastPathFps or more measured) each frame lasts at least 16 ms and the frame-skip
// setting thins the drawing out through the accumulator; below that, late frames skip their
// drawing, never two in a row, and drawn frames are stretched so that every three take their
// due time together.
struct FramePacing {
    std::uint8_t drawDue = 1;
    // Grows by the draw step every frame; a frame draws only from 1.0 on.
    float drawAccumulator = 0.0f;
    int frameStart = 0;
    int framePeriod = 16;
    int normalPeriod = 16;
    int threeFrameWindow = 49;
    // Newest first.
    std::array<int, 3> lastDurations{16, 16, 16};
    // Lateness of the drawn frames and the drawings skipped in a row; both start at 0 with
    // every run of the loop.
    int lateness = 0;
    int skipCount = 0;
};

inline constexpr int kFastPathFps = 54;

// `frames` frames of FramesPerUpdate x 16.6 ms, rounded by adding 0.5 and truncating.
int PacingPeriod(int framesPerUpdate, int frames);

// The start of a run of the frame loop.
void StartFramePacing(FramePacing& pacing, int now, int framesPerUpdate);

// The replay's speed keys: confirm held gives 5 ms frames, with sub too 1 ms.
void ChooseFramePeriod(FramePacing& pacing, bool replayActive, bool liveConfirm, bool liveSub);

// The end of a frame: waits as the measured rate asks, decides whether the next frame may
// draw, adds the draw step and starts the next frame.
void PaceFrame(FramePacing& pacing, int measuredFps, float drawStep, const PacingClock& clock);

// Whether this frame draws: due, the accumulator at 1.0 or more and no prepared transition.
// The final frame of a run limited to a frame count draws whatever the pacing decided, so that
// the picture it leaves depends on the frame count alone.
bool IsDrawDue(const FramePacing& pacing, bool transitionPrepared, bool finalFrame);

}  // namespace game
