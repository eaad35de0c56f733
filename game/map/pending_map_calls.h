#pragma once

// Stand-in for the drawing of an event's key-input text until it arrives: nothing is drawn.

namespace game {

struct EventCharacter;

void DrawEventKeyInput(EventCharacter& eventCharacter);

}  // namespace game
