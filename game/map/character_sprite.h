#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace game {

struct MapCharacter;
struct MapState;

// Draws one character from its sheet: direction and pattern pick the cell; opacity, blend
// kind, bush feet, shadow, flash, the map's zoom and loop apply. A sprite names its character
// by kind and index and finds it again at every use, so the lists may reallocate.
struct CharacterSprite {
    enum class Owner : std::uint8_t { kHero, kMember, kEvent };
    // Sheet kinds by the graphic's file name.
    enum SheetKind { kSingleImage = -1, kStandard = 0, kStandColumn = 1, kDoubleSheet = 2 };

    CharacterSprite() = default;
    // Loads the character's sheet and shadow right away.
    CharacterSprite(Owner owner, int index);

    Owner owner = Owner::kHero;
    int index = 0;
    // Image-cache entries (-1 none) and 1-based cells of the sheet and the shadow.
    int sheet = -1;
    int cell = 0;
    int shadowCell = 0;
    int shadowSheet = -1;
    // Taken from the character at each draw.
    int screenX = 0;
    int screenY = 0;
    int drawOnTopValue = 0;
    int footY = 0;
    int opacity = 255;
    int blendKind = 0;
    // The graphic of the last load.
    int graphicNumber = -1;
    std::string graphicName;
    // Half the cell width and the cell height: the cell's bottom centre stands on the
    // character's screen position.
    int anchorX = 0;
    int anchorY = 0;
    int shadowAnchorX = 0;
    int shadowAnchorY = 0;
    // Set once the sheet failed to load: nothing is drawn any more.
    std::uint8_t loadFailed = 0;
    int cellWidth = 0;
    int cellHeight = 0;
    int sheetKind = kStandard;
    int columns = 6;
    int shadowColumns = 6;
};

// The character a sprite shows, or null when it is gone.
MapCharacter* SpriteCharacter(const CharacterSprite& sprite);

// Reloads the sheet and the shadow when the character's graphic changed and picks the cells.
void RefreshCharacterSprite(CharacterSprite& sprite);
// Refreshes, then draws the character onto the current draw target.
void DrawCharacterSprite(CharacterSprite& sprite);

// The sheet kind and the number of columns of a graphic file name, for walking patterns n
// and with or without eight-direction sheets.
struct SheetLayout {
    int kind;
    int columns;
};
SheetLayout ChooseSheetLayout(const std::string& name, int patterns, bool eightDirections);

// Whether both half tiles under the feet of a character at (x, y) are bush tiles on one of
// the layers; false without a map.
bool IsBushAt(const MapState& mapState, int x, int y);

// The sprites of the map view: the hero, the party members and the map events.
struct CharacterSprites {
    CharacterSprite hero;
    std::vector<CharacterSprite> members;
    std::vector<CharacterSprite> events;
};

}  // namespace game
