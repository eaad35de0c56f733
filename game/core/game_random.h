#pragma once

#include <cstdint>

namespace game {

enum class RandomMode { kStep = 0, kRead = 1, kSet = 2 };

// The game's own random generator, one process-wide state that saves and replays carry.
// Mode 0 steps it and returns the new state, 1 returns it, 2 sets it to value; other modes
// return it. The first use of any mode seeds it from the millisecond clock.
std::uint32_t GameRandomControl(int mode, std::uint32_t value = 0);

}  // namespace game
