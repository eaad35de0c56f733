#pragma once

namespace game {

struct InternetState;
struct MapState;
struct MapCharacter;

// First step of the internet command: the status becomes 0 and the step succeeds.
bool BeginInternetAccess(InternetState& internetState);
// The stop case of the screen-shake command: both view shakes have no frames left.
void StopMapShakes(MapState& mapState);
// A character flash of a packed colour for `duration` frames.
void SetCharacterFlash(MapCharacter& character, int colour, int duration);
// A character shake: amplitudes a and b, `value` swings, `duration` frames per half swing
// (at least 1) and a first swing of twice that.
void SetCharacterShake(MapCharacter& character, int a, int b, int value, int duration);

}  // namespace game
