#pragma once

// The places where the map's update, transfer and drawing hand over to the characters: the
// hero, the party members and the map events with their sprites.

#include <vector>

#include "game/map/draw_order.h"

namespace game {

struct MapState;
struct MapView;

// One frame of every event character, in list order.
void UpdateMapCharacters(MapState& mapState);
// A transfer puts the hero on half tile (x, y), centres the view on it and restarts its
// animation so that its sprite reloads.
void PlaceHeroAfterTransfer(int x, int y);
// A transfer gathers the party on the hero.
void GatherPartyAfterTransfer();

// New sprites for the hero, the party members and the event characters.
void BuildCharacterSprites(MapView& mapView);
// The characters to sort into the draw order this frame.
std::vector<DrawOrderEntry> CollectDrawOrderEntries(const MapView& mapView);
// Draws the sprite of a draw item: an event index, the hero or a party member.
void DrawSpriteItem(MapView& mapView, int item);

}  // namespace game
