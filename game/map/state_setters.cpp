#include "game/map/state_setters.h"

#include <algorithm>

#include "game/interpreter/internet_state.h"
#include "game/map/map_character.h"
#include "game/map/map_state.h"

namespace game {

bool BeginInternetAccess(InternetState& internetState) {
    internetState.status = 0;
    return true;
}

void StopMapShakes(MapState& mapState) {
    mapState.horizontalShakeCount = 0;
    mapState.verticalShakeCount = 0;
}

void SetCharacterFlash(MapCharacter& character, int colour, int duration) {
    character.flashColour = colour;
    character.flashLength = duration;
    character.flashRemaining = duration;
}

void SetCharacterShake(MapCharacter& character, int a, int b, int value, int duration) {
    character.shakeAmplitudeX = a;
    character.shakeAmplitudeY = b;
    character.shakeSwings = value;
    character.shakeHalfPeriod = std::max(duration, 1);
    character.shakePhase = 2 * character.shakeHalfPeriod;
}

}  // namespace game
