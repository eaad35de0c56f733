#include "game/map/map_character.h"

#include <cstdlib>

#include "game/core/display_scale.h"
#include "game/map/party.h"

namespace game {

void FaceHero(MapCharacter& character) {
    const int dx = TheParty.x - character.x;
    const int dy = TheParty.y - character.y;
    if (dx == 0 && dy == 0)
        return;
    if (std::abs(dx) > std::abs(dy))
        character.direction = dx < 0 ? 4 : 6;
    else
        character.direction = dy < 0 ? 8 : 2;
}

bool CheckCharacterMoving(MapCharacter& character) {
    // A half tile is TileSize / 2 pixels, TileSize * 2 quarter pixels.
    const int quarters = 2 * TileSize;
    character.moving =
        character.pixelX != character.x * quarters || character.pixelY != character.y * quarters;
    return character.moving != 0;
}

}  // namespace game
