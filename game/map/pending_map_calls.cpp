#include "game/map/pending_map_calls.h"

namespace game {

void UpdateHero(Party&) {}
void ApplyCharacterSettings(Party&) {}
void DrawEventKeyInput(EventCharacter&) {}

}  // namespace game
