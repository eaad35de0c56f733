#pragma once

// Stand-ins for the hero and the drawing of an event's key-input text until they arrive:
// they do nothing.

namespace game {

struct EventCharacter;
struct Party;

void UpdateHero(Party& party);
// Applies the game's character flags to the party.
void ApplyCharacterSettings(Party& party);
void DrawEventKeyInput(EventCharacter& eventCharacter);

}  // namespace game
