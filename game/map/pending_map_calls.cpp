#include "game/map/pending_map_calls.h"

namespace game {

void DrawEventKeyInput(EventCharacter&) {}

}  // namespace game
