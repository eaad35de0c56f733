#include "game/core/game_random.h"

#include "layer/core/layer_api.h"

namespace game {
namespace {

bool seeded = false;
std::uint32_t state = 0;

}  // namespace

std::uint32_t GameRandomControl(int mode, std::uint32_t value) {
    if (!seeded) {
        state = static_cast<std::uint32_t>(layer::GetMilliseconds());
        seeded = true;
    }
    if (mode == static_cast<int>(RandomMode::kStep))
        state = (state * 1103515245u + 94123u) >> 4;
    else if (mode == static_cast<int>(RandomMode::kSet))
        state = value;
    return state;
}

}  // namespace game
