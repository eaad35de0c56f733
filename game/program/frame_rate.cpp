#include "game/program/frame_rate.h"

#include "game/interpreter/main_interpreter.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr int kWindowMilliseconds = 500;
constexpr int kSecondMilliseconds = 1000;

FrameRateCount frameRateCount;

}  // namespace

int CountFrameRateAt(FrameRateCount& count, bool countThisFrame, int now, PlayClock clock) {
    if (!count.started) {
        count.started = true;
        count.windowStart = now;
        count.secondStart = now;
    }
    if (countThisFrame) {
        ++count.running;
        if (now - count.windowStart >= kWindowMilliseconds) {
            count.slots[count.slot] = count.running;
            count.slot = (count.slot + 1) % 2;
            count.running = 0;
            count.windowStart = now;
        }
    }
    if (now - count.secondStart >= kSecondMilliseconds) {
        count.secondStart += kSecondMilliseconds;
        ++clock.seconds;
    }
    clock.milliseconds = now - count.secondStart;
    return count.slots[0] + count.slots[1];
}

int CountFrameRate(bool countThisFrame) {
    MainInterpreter& interpreter = TheMainInterpreter;
    interpreter.MeasuredFps =
        CountFrameRateAt(frameRateCount, countThisFrame, layer::GetMilliseconds(),
                         {interpreter.PlaySeconds, interpreter.PlayMilliseconds});
    return interpreter.MeasuredFps;
}

}  // namespace game
