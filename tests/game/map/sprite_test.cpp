// Character sprites on the software back screen over the demo's start map.
#include <gtest/gtest.h>

#include "game/core/database.h"
#include "game/core/game_info.h"
#include "game/map/character_sprite.h"
#include "game/map/event_character.h"
#include "game/map/party.h"
#include "layer/graphics/draw_settings.h"
#include "tests/game/map/map_scenes.h"
#include "tools/lib/demo_characters.h"

namespace game {
namespace {

class Sprites : public CharacterScreenOn<test::SoftwareScreens> {
  protected:
    static int CellOf(int index) {
        CharacterSprite sprite(CharacterSprite::Owner::kEvent, index);
        return sprite.cell;
    }
};

TEST(SheetLayout, KindsAndColumnsComeFromTheName) {
    struct Case {
        const char* name;
        bool eightWay;
        int kind, columns;
    } const cases[] = {
        {"npc.png", true, 0, 6},      {"npc.png", false, 0, 3},
        {"clerkT.png", true, 1, 8},   {"clerkT.PNG", false, 1, 4},
        {"guardTX.png", true, 2, 12}, {"guardTX.png", false, 2, 6},
        {"sign$.png", true, -1, 1},   {"T$.png", true, -1, 1},
        {"\x83T.png", true, 0, 6},    {"a\x83T.pngT.png", false, 1, 4},
    };
    for (const Case& c : cases) {
        const SheetLayout layout = ChooseSheetLayout(c.name, 3, c.eightWay);
        EXPECT_EQ(layout.kind, c.kind) << c.name;
        EXPECT_EQ(layout.columns, c.columns) << c.name;
    }
}

TEST_F(Sprites, CellsByDirectionPatternAndMotion) {
    struct Case {
        const char* sheet;
        std::uint8_t eightWay;
        int direction, pattern;
        std::uint8_t moving;
        int cell;
    } const cases[] = {
        {tools::kDemoNpcSheet, 1, 6, 2, 0, 15},
        {tools::kDemoNpcSheet, 1, 9, 0, 0, 22},
        {tools::kDemoStandColumnSheet, 0, 2, 1, 0, 1},
        {tools::kDemoStandColumnSheet, 0, 2, 1, 1, 3},
        {tools::kDemoDoubleSheet, 1, 4, 1, 1, 12 + 1 + 3 + 1},
        {tools::kDemoSingleImage, 1, 8, 2, 1, 1},
    };
    for (const Case& c : cases) {
        EventCharacter& event = AddSheetEvent(c.sheet, 2, 2, c.direction);
        event.eightDirectionSheet = c.eightWay;
        event.pattern = static_cast<std::int16_t>(c.pattern);
        event.moving = c.moving;
        EXPECT_EQ(CellOf(static_cast<int>(TheMapState.eventCharacters.size()) - 1), c.cell)
            << c.sheet << " " << c.direction;
    }
    CharacterSprite sign(CharacterSprite::Owner::kEvent,
                         static_cast<int>(TheMapState.eventCharacters.size()) - 1);
    EXPECT_EQ(sign.anchorX, 16);
    EXPECT_EQ(sign.anchorY, 32);
}

TEST_F(Sprites, BushTilesNeedBothFootColumns) {
    EXPECT_TRUE(IsBushAt(TheMapState, 12, 21));
    EXPECT_TRUE(IsBushAt(TheMapState, 16, 22));
    EXPECT_FALSE(IsBushAt(TheMapState, 17, 22));
    EXPECT_FALSE(IsBushAt(TheMapState, 12, 19));
    EXPECT_FALSE(IsBushAt(MapState(), 12, 21));
}

// Below the bush line the character is drawn at a third of its opacity; above it in blend mode
// kind + 1 at its own opacity, which the draw leaves set.
TEST_F(Sprites, TheUpperPartInTheBushTakesTheModeAfterItsKind) {
    for (const int kind : {0, 1, 2, 3}) {
        EventCharacter& event = AddSheetEvent(tools::kDemoNpcSheet, 7, 11, 2, 0);
        event.blendKind = kind;
        event.opacity = 128;
        CharacterSprite sprite(CharacterSprite::Owner::kEvent,
                               static_cast<int>(TheMapState.eventCharacters.size()) - 1);
        DrawCharacterSprite(sprite);
        EXPECT_EQ(layer::draw_settings.blend_mode, kind + 1) << kind;
        EXPECT_EQ(layer::draw_settings.blend_parameter, 128) << kind;
    }
}

}  // namespace
}  // namespace game
