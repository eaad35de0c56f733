#pragma once

namespace game {

// The state of the map the party stands on.
struct MapState {
    // Frames of driving left of the two view shakes.
    int horizontalShakeCount = 0;
    int verticalShakeCount = 0;
};

}  // namespace game
