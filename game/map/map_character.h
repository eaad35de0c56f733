#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/core/event_records.h"

namespace game {

class SaveBuffer;

// A character on the map: the hero, a party member or a map event. It stands on a half-tile
// position and is drawn at a quarter-pixel position that glides toward it.
struct MapCharacter {
    MapCharacter();

    // -2 the hero, -3 - n party member n, the event number for a map event.
    int referenceId = -2;
    // Position in half tiles, and the drawn position in quarter pixels.
    int x = 0;
    int y = 0;
    int pixelX = 0;
    int pixelY = 0;
    // -1: the sheet graphicName; 0 and above a tile of the tile set's base image.
    int graphicNumber = -1;
    std::string graphicName;
    std::int16_t opacity = 255;
    // 0 normal, 1 additive, 2 subtractive, 3 multiply.
    std::int16_t blendKind = 0;
    // A keypad digit: 2 down, 4 left, 6 right, 8 up, 1 3 7 9 the diagonals.
    std::int16_t direction = 2;
    std::int16_t pattern = 1;
    std::int16_t standPattern = 1;
    // The direction last taken from an event page.
    std::int16_t pageDirection = 2;
    // Set while a forced move route runs.
    std::uint8_t forcedRoute = 0;
    std::uint8_t passThrough = 0;
    std::uint8_t isHero = 0;
    std::uint8_t eightDirectionSheet = 0;
    // Never set by the game: while set, standing counts only while turned to the hero.
    std::uint8_t stopCounterGate = 0;
    // 0 none, 1 the route, 2 random, 3 approach the hero.
    std::int16_t moveKind = 0;
    std::int16_t speed = 4;
    std::int16_t animationSpeed = 2;
    // Automatic movement waits for more than 20 x frequency^2 standing frames.
    std::int16_t frequency = 6;
    std::int16_t animationCounter = 0;
    std::int16_t animationBase = 1;
    int stopCounter = 0;
    int jumpRemaining = 0;
    int jumpHalfLength = 0;
    int waitFrames = 0;
    // The facing kept while an event turned the character toward the hero; 0 none.
    int rememberedDirection = 0;
    MoveRoute runningRoute;
    // The route put aside while a forced route runs.
    MoveRoute savedRoute;
    std::int16_t runningRouteIndex = 0;
    std::int16_t savedRouteIndex = 0;
    std::uint8_t walkingAnimation = 1;
    std::uint8_t steppingAnimation = 0;
    std::uint8_t directionFixed = 0;
    std::uint8_t drawOnTop = 0;
    std::uint8_t turnedToHero = 0;
    // Half tiles per step: 1, or 2 for whole tiles.
    int stepSize = 1;
    // The character also occupies the half-tile row above its position.
    std::uint8_t twoRow = 0;
    // A blocked diagonal step falls back to one axis; slideOnce for one glide only.
    std::uint8_t slideOnDiagonals = 0;
    std::uint8_t slideOnce = 0;
    // The shadow number the sprite last applied.
    std::int16_t appliedShadow = -1;
    std::uint8_t removed = 0;
    std::uint8_t partyMember = 0;
    // The hero recorded a step in the move history this frame.
    std::uint8_t movedThisFrame = 0;
    std::uint8_t moving = 0;
    std::uint8_t wasMoving = 0;
    // Height above the ground in pixels, subtracted from the screen y.
    int lift = 0;
    // Saved and loaded, never used.
    std::vector<std::int32_t> spareList;
    // The sheet cell size the sprite found.
    int spriteCellWidth = 0;
    int spriteCellHeight = 0;
    // A timed flash: packed colour, total and remaining frames.
    int flashColour = 0;
    int flashLength = 1;
    int flashRemaining = 0;
    // A timed shake: pixel amplitudes, swings left, frames per half swing (at least 1) and
    // frames left of the current swing; the offsets it gives the screen position.
    int shakeAmplitudeX = 0;
    int shakeAmplitudeY = 0;
    int shakeSwings = 0;
    int shakeHalfPeriod = 1;
    int shakePhase = 0;
    int screenOffsetX = 0;
    int screenOffsetY = 0;
    // [0] the shadow number (255 none), [1] and [2] the horizontal and vertical contact
    // extents in half tiles.
    std::vector<std::uint8_t> pageBytes{0};
    // The hero's last step directions, newest first.
    std::vector<std::int32_t> moveHistory;
    double animationAccumulator = 0.0;
};

// A flag byte of the game information; fallback where the list is short.
int GameFlag(int index, int fallback);

// The game-wide character settings: two rows, step size, stand pattern and animation base.
void ApplyCharacterSettings(MapCharacter& character);

// Puts the character at (x, y), in tiles with half 0 or half tiles with half 1, at once.
// A place outside the map is reported and clamped onto the map's last tile.
void PlaceCharacter(MapCharacter& character, int x, int y, int half);

// Sets the moving flag to whether the drawn position differs from the half-tile position,
// and returns it.
bool CheckCharacterMoving(MapCharacter& character);
// Whether the character moved now or at the last call; for the sprite, once per update.
bool WasCharacterMoving(MapCharacter& character);
inline bool IsJumping(const MapCharacter& character) {
    return character.jumpRemaining > 0;
}
inline int GetDrawOnTopValue(const MapCharacter& character) {
    return character.drawOnTop != 0 ? 999 : 0;
}
inline bool HasGraphic(const MapCharacter& character) {
    return character.graphicNumber != -1 || !character.graphicName.empty();
}

// The screen position of the character's bottom centre; wrap brings it onto the screen
// on a looping map. The foot y leaves out the height and the jump arc.
int GetCharacterScreenX(const MapCharacter& character, bool wrap);
int GetCharacterScreenY(const MapCharacter& character, bool wrap);
int GetCharacterFootScreenY(const MapCharacter& character, bool wrap);

// The tag of the tiles under the character, 0 for none.
int GetTileTagUnder(const MapCharacter& character);

// Facing; nothing while the direction is fixed. Without an eight-direction sheet the
// diagonals keep a matching side or fall back to down or up.
void FaceDown(MapCharacter& character);
void FaceLeft(MapCharacter& character);
void FaceRight(MapCharacter& character);
void FaceUp(MapCharacter& character);
void FaceDownLeft(MapCharacter& character);
void FaceDownRight(MapCharacter& character);
void FaceUpLeft(MapCharacter& character);
void FaceUpRight(MapCharacter& character);
// The facing operation of a direction (1 to 9 but 5); others do nothing.
void FaceDirection(MapCharacter& character, int direction);

// Turns the character toward the hero, or away from it (no diagonals then).
void FaceHero(MapCharacter& character);
void FaceAwayFromHero(MapCharacter& character);

// The character's save block. The reader puts the drawn position on the half tile.
void WriteMapCharacter(SaveBuffer& save, const MapCharacter& character);
bool ReadMapCharacter(SaveBuffer& save, MapCharacter& character);

}  // namespace game
