#pragma once

#include <cstdint>
#include <vector>

namespace game {

// The input record of a game: its first value is the random seed the game started from.
class ReplayRecorder {
  public:
    // Records the game random generator's current seed.
    ReplayRecorder();

    std::vector<std::uint32_t> record;
};

extern ReplayRecorder TheReplayRecorder;

// Set while a recorded game is played back instead of the devices, and when its record ended.
extern std::uint8_t ReplayActive;
extern std::uint8_t ReplayFinished;

}  // namespace game
