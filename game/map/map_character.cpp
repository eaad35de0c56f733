#include "game/map/map_character.h"

#include <cstdlib>

#include "game/core/display_scale.h"
#include "game/core/error_box.h"
#include "game/core/format_text.h"
#include "game/core/game_info.h"
#include "game/map/map_character_texts.h"
#include "game/map/map_state.h"
#include "game/map/tile_queries.h"

namespace game {
namespace {

// Quarter pixels of half tiles.
int QuartersOf(int halfTiles) {
    return 2 * TileSize * halfTiles;
}

int Arc(const MapCharacter& character) {
    const int j = character.jumpHalfLength;
    const int d = std::abs(character.jumpRemaining - j);
    return (3 * j * j - 3 * d * d) / (160 / TileSize);
}

// Raises v by span until it is not negative.
int RaiseOntoScreen(int v, int span) {
    if (span <= 0 || v >= 0)
        return v;
    return v + ((-v + span - 1) / span) * span;
}

int ScreenYWithout(const MapCharacter& character, int lift, bool wrap) {
    const MapState& mapState = TheMapState;
    int y = (character.pixelY - mapState.scrollY) / 4 + TileSize - lift;
    if (wrap && mapState.loopsVertically != 0)
        y = RaiseOntoScreen(y, GetMapHeight() * TileSize);
    return y + character.screenOffsetY;
}

}  // namespace

MapCharacter::MapCharacter() {
    eightDirectionSheet = GameFlag(1, 8) == 8;
    ApplyCharacterSettings(*this);
}

int GameFlag(int index, int fallback) {
    const auto& flags = TheGameInfo.gameFlags;
    return static_cast<std::size_t>(index) < flags.size() ? flags[static_cast<std::size_t>(index)]
                                                          : fallback;
}

void ApplyCharacterSettings(MapCharacter& character) {
    character.twoRow = GameFlag(9, 0) == 1;
    character.stepSize = GameFlag(8, 0) == 1 ? 2 : 1;
    const int patterns = GameFlag(7, 3);
    if (patterns == 3 || patterns == 5)
        character.standPattern = character.animationBase = static_cast<std::int16_t>(patterns / 2);
}

void PlaceCharacter(MapCharacter& character, int x, int y, int half) {
    const int width = GetMapWidth();
    const int height = GetMapHeight();
    const int unit = half + 1;
    if (x / unit >= width || y / unit >= height) {
        ShowErrorBox(FormatText(kPlacedOutside, x, y, TheMapState.mapNumber),
                     FormatText(kClampedInside, width - 1, height - 1), "");
        if (x / unit >= width)
            x = half != 0 ? 2 * (width - 1) : width - 1;
        if (y / unit >= height)
            y = half != 0 ? 2 * (height - 1) : height - 1;
    }
    // Remainders by 0 are left out: a map without tiles keeps the position as given.
    character.x = (width > 0 ? x % (2 * width) : x) * (2 - half);
    character.y = (height > 0 ? y % (2 * height) : y) * (2 - half);
    character.pixelX = QuartersOf(character.x);
    character.pixelY = QuartersOf(character.y);
    character.rememberedDirection = 0;
}

bool CheckCharacterMoving(MapCharacter& character) {
    character.moving =
        character.pixelX != QuartersOf(character.x) || character.pixelY != QuartersOf(character.y);
    return character.moving != 0;
}

bool WasCharacterMoving(MapCharacter& character) {
    const bool result = character.moving != 0 || character.wasMoving != 0;
    character.wasMoving = character.moving;
    return result;
}

int GetCharacterScreenX(const MapCharacter& character, bool wrap) {
    const MapState& mapState = TheMapState;
    int x = (character.pixelX - mapState.scrollX) / 4 + TileSize / 2;
    if (wrap && mapState.loopsHorizontally != 0)
        x = RaiseOntoScreen(x, GetMapWidth() * TileSize);
    return x + character.screenOffsetX;
}

int GetCharacterScreenY(const MapCharacter& character, bool wrap) {
    return ScreenYWithout(character, character.lift + Arc(character), wrap);
}

int GetCharacterFootScreenY(const MapCharacter& character, bool wrap) {
    return ScreenYWithout(character, 0, wrap);
}

int GetTileTagUnder(const MapCharacter& character) {
    return GetTileTagAt(TheMapState, character.x, character.y);
}

}  // namespace game
