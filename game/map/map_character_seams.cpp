#include "game/map/map_character_seams.h"

// Until the characters move and draw, the map has none to update, place or draw.

namespace game {

void UpdateMapCharacters(MapState&) {}
void PlaceHeroAfterTransfer(int, int) {}
void GatherPartyAfterTransfer() {}

void BuildCharacterSprites(MapView&) {}

std::vector<DrawOrderEntry> CollectDrawOrderEntries(const MapView&) {
    return {};
}

void DrawSpriteItem(MapView&, int) {}

}  // namespace game
