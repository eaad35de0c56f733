#include "game/interpreter/frame_skip.h"

#include <algorithm>
#include <array>

#include "game/core/game_ini.h"
#include "game/interpreter/main_interpreter.h"

namespace game {
namespace {

constexpr std::array<float, 3> kDrawSteps{1.0f, 0.5f, 0.25f};

}  // namespace

void SetFrameSkip(int level) {
    const int clamped = std::clamp(level, 0, 2);
    TheMainInterpreter.DrawStep = kDrawSteps[static_cast<std::size_t>(clamped)];
    TheMainInterpreter.FrameSkipLevel = clamped;
    FrameSkip = clamped;
}

}  // namespace game
