#pragma once

namespace game {

// A character on the map: the hero, a party member or a map event.
struct MapCharacter {
    // A timed flash: packed colour, total and remaining frames.
    int flashColour = 0;
    int flashLength = 1;
    int flashRemaining = 0;
    // A timed shake: pixel amplitudes, swings left, frames per half swing (at least 1) and
    // frames left of the current swing.
    int shakeAmplitudeX = 0;
    int shakeAmplitudeY = 0;
    int shakeSwings = 0;
    int shakeHalfPeriod = 1;
    int shakePhase = 0;
};

}  // namespace game
