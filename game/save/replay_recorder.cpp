#include "game/save/replay_recorder.h"

#include "game/core/game_random.h"

namespace game {

ReplayRecorder TheReplayRecorder;
std::uint8_t ReplayActive = 0;
std::uint8_t ReplayFinished = 0;

ReplayRecorder::ReplayRecorder() : record{GameRandomControl(static_cast<int>(RandomMode::kRead))} {}

}  // namespace game
