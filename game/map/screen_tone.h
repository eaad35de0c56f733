#pragma once

#include <array>

namespace game {

class MainInterpreter;

// The screen tone (red, green, blue; negative darkens, positive brightens) applied around the
// map. Neither flag: the bright colour darkens by the negative channels (unless all three
// are positive), also written to `out`. additive: a box over the screen adds the positive
// channels, and the blend mode stays additive. reset: the bright colour back to white.
void ApplyScreenTone(const MainInterpreter& mainInterpreter, bool additive, bool reset,
                     std::array<int, 3>* out = nullptr);

}  // namespace game
