#pragma once

#include <cstdint>
#include <string>

namespace game {

// A character on the map: the hero, a party member or a map event.
struct MapCharacter {
    // The event number for a map event.
    int referenceId = 0;
    // Position in half tiles, and the drawn position in quarter pixels.
    int x = 0;
    int y = 0;
    int pixelX = 0;
    int pixelY = 0;
    // Height above the ground in pixels, subtracted from the screen y.
    int lift = 0;
    std::string graphicName;
    // A keypad digit: 2 down, 4 left, 6 right, 8 up.
    std::int16_t direction = 2;
    // The facing kept while an event turned the character toward the hero; 0 none.
    int rememberedDirection = 0;
    std::uint8_t turnedToHero = 0;
    std::uint8_t directionFixed = 0;
    // Set while a forced move route runs.
    std::uint8_t forcedRoute = 0;
    std::uint8_t moving = 0;
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

// Turns the character toward the hero along the axis of the larger distance.
void FaceHero(MapCharacter& character);

// Sets the moving flag to whether the drawn position differs from the half-tile position,
// and returns it.
bool CheckCharacterMoving(MapCharacter& character);

}  // namespace game
