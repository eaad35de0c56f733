#pragma once

namespace game {

struct EventCharacter;
struct MapCharacter;

// Steps change the half-tile position at once after the passability test; the drawn
// position then glides toward it. Directions are keypad digits.

// The offset of one step in a direction (0 for 5 and others), stepSize half tiles long.
int DirectionOffsetX(int direction, int stepSize);
int DirectionOffsetY(int direction, int stepSize);

// Whether the character may step from (x, y) in the direction: map edge, tiles left and
// entered, other characters. Direction 0 tests the spot itself.
bool CanStepTo(const MapCharacter& character, int x, int y, int direction);
// The variable-from-state query: the target wrapped onto the map must be inside it.
bool CanCharacterStep(const MapCharacter& character, int x, int y, int direction);

// One step in a direction, turning first when turn is set; diagonals slide onto one axis
// when the character may. True when it moved.
bool Step(MapCharacter& character, int direction, bool turn);
// The event's step: a step that is blocked, or any step of an event with a contact extent,
// first tests whether the event touches the hero there.
bool EventStep(EventCharacter& event, int direction, bool turn);

bool JumpBy(MapCharacter& character, int stepsX, int stepsY);
// The walking pattern back to standing, as a jump or a transfer starts.
void ResetPatternForJump(MapCharacter& character);
void StepForward(MapCharacter& character);
void EventStepForward(EventCharacter& event);
// A step against the facing direction, keeping it.
void StepBackward(MapCharacter& character);
void TurnClockwise(MapCharacter& character);
void TurnCounterClockwise(MapCharacter& character);
void TurnRandomly(MapCharacter& character);
void FaceRandomDirection(MapCharacter& character);
void RandomStep(MapCharacter& character);
void EventRandomStep(EventCharacter& event);
// Kind 0: a step toward tile (a, b); otherwise toward the character with reference a.
void ApproachTarget(MapCharacter& character, int kind, int a, int b);
void ApproachHero(MapCharacter& character);
void EventApproachHero(EventCharacter& event);
void FleeFromHero(MapCharacter& character);

// The automatic movements 2 (random) and 3 (approach the hero) of map events.
void RandomMovement(EventCharacter& event);
void ApproachMovement(EventCharacter& event);

// The per-frame motion: jump, glide, flash, shake, walking animation, route waits.
void UpdateCharacterMotion(MapCharacter& character);

// Restores the walking animation intervals changed for five walking patterns.
void ResetAnimationIntervals();

}  // namespace game
