#include "game/program/frame_pacing.h"

#include <algorithm>

namespace game {
namespace {

constexpr double kFrameMilliseconds = 16.6;
constexpr int kFastPathMinimum = 16;
constexpr int kReplayFastPeriod = 5;
constexpr int kReplayFastestPeriod = 1;

void PushDuration(FramePacing& pacing, int duration) {
    pacing.lastDurations[2] = pacing.lastDurations[1];
    pacing.lastDurations[1] = pacing.lastDurations[0];
    pacing.lastDurations[0] = duration;
}

void PaceFast(FramePacing& pacing, const PacingClock& clock) {
    PushDuration(pacing, clock.now() - pacing.frameStart);
    pacing.lateness = 0;
    clock.wait(std::max(0, kFastPathMinimum - (clock.now() - pacing.frameStart)));
    if (pacing.drawAccumulator >= 1.0f)
        pacing.drawDue = 1;
}

void PaceSlow(FramePacing& pacing, const PacingClock& clock) {
    const int now = clock.now();
    const int late = now - pacing.frameStart - pacing.framePeriod;
    // A skipped frame's lateness replaces the sum, so time it gained pays off earlier lateness.
    pacing.lateness = pacing.drawDue != 0 ? pacing.lateness + std::max(0, late) : late;
    PushDuration(pacing, now - pacing.frameStart);
    if (pacing.lateness > 0) {
        pacing.drawDue = 0;
        if (++pacing.skipCount > 1) {
            pacing.drawDue = 1;
            pacing.skipCount = 0;
            pacing.lateness = 0;
        }
        return;
    }
    if (pacing.drawDue != 0) {
        const int sum = pacing.lastDurations[0] + pacing.lastDurations[1] + pacing.lastDurations[2];
        const int wait = std::max(0, pacing.threeFrameWindow - sum);
        clock.wait(wait);
        pacing.lastDurations[0] += wait;
    }
    pacing.skipCount = 0;
    pacing.drawDue = 1;
}

}  // namespace

int PacingPeriod(int framesPerUpdate, int frames) {
    return static_cast<int>(framesPerUpdate * kFrameMilliseconds * frames + 0.5);
}

void StartFramePacing(FramePacing& pacing, int now, int framesPerUpdate) {
    pacing.drawAccumulator = 0.0f;
    pacing.frameStart = now;
    pacing.normalPeriod = PacingPeriod(framesPerUpdate, 1);
    pacing.framePeriod = pacing.normalPeriod;
    pacing.threeFrameWindow = PacingPeriod(framesPerUpdate, 3);
    pacing.lastDurations.fill(pacing.normalPeriod);
    pacing.lateness = 0;
    pacing.skipCount = 0;
}

void ChooseFramePeriod(FramePacing& pacing, bool replayActive, bool liveConfirm, bool liveSub) {
    if (replayActive && liveConfirm)
        pacing.framePeriod = liveSub ? kReplayFastestPeriod : kReplayFastPeriod;
    else
        pacing.framePeriod = pacing.normalPeriod;
}

void PaceFrame(FramePacing& pacing, int measuredFps, float drawStep, const PacingClock& clock) {
    if (measuredFps >= kFastPathFps)
        PaceFast(pacing, clock);
    else
        PaceSlow(pacing, clock);
    pacing.drawAccumulator += drawStep;
    pacing.frameStart = clock.now();
}

bool IsDrawDue(const FramePacing& pacing, bool transitionPrepared, bool finalFrame) {
    if (transitionPrepared)
        return false;
    return finalFrame || (pacing.drawDue != 0 && pacing.drawAccumulator >= 1.0f);
}

}  // namespace game
