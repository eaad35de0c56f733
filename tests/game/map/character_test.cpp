#include <gtest/gtest.h>

#include <vector>

#include "game/core/save_buffer.h"
#include "tests/game/core/report_capture.h"
#include "tests/game/map/character_fixture.h"

namespace game {
namespace {

using Character = CharacterTest;

TEST_F(Character, DefaultsFollowTheGameFlags) {
    const MapCharacter plain;
    EXPECT_EQ(plain.direction, 2);
    EXPECT_EQ(plain.pattern, 1);
    EXPECT_EQ(plain.opacity, 255);
    EXPECT_EQ(plain.stepSize, 1);
    EXPECT_EQ(plain.eightDirectionSheet, 1);
    EXPECT_EQ(plain.shakeAmplitudeX, 0);

    struct Case {
        int flag, value, stepSize, standPattern, twoRow;
    } const cases[] = {{8, 1, 2, 1, 0}, {7, 5, 1, 2, 0}, {7, 4, 1, 1, 0}, {9, 1, 1, 1, 1}};
    for (const Case& c : cases) {
        SetNewGameDefaults(TheGameInfo);
        TheGameInfo.gameFlags[c.flag] = static_cast<std::int8_t>(c.value);
        const MapCharacter character;
        EXPECT_EQ(character.stepSize, c.stepSize) << c.flag;
        EXPECT_EQ(character.standPattern, c.standPattern) << c.flag;
        EXPECT_EQ(character.animationBase, c.standPattern) << c.flag;
        EXPECT_EQ(character.twoRow, c.twoRow) << c.flag;
    }
}

TEST_F(Character, PlacementInTilesAndHalfTiles) {
    MapCharacter character;
    PlaceCharacter(character, 5, 3, 0);
    EXPECT_EQ(character.x, 10);
    EXPECT_EQ(character.y, 6);
    EXPECT_EQ(character.pixelX, 640);
    EXPECT_EQ(character.pixelY, 384);
    PlaceCharacter(character, 5, 3, 1);
    EXPECT_EQ(character.x, 5);
    EXPECT_EQ(character.pixelY, 192);
}

TEST_F(Character, PlacementOutsideTheMapIsReportedAndClamped) {
    ReportCapture capture;
    MapCharacter character;
    PlaceCharacter(character, 20, 2, 0);
    EXPECT_EQ(character.x, 38);
    EXPECT_EQ(character.y, 4);
    PlaceCharacter(character, 40, 3, 1);
    EXPECT_EQ(character.x, 38);
    EXPECT_EQ(character.y, 3);
    ASSERT_EQ(ReportCapture::errors().size(), 2u);
    EXPECT_NE(ReportCapture::errors()[0].line1.find("[X20 Y2](Map1)"), std::string::npos);
    EXPECT_NE(ReportCapture::errors()[0].line2.find("[19,14]"), std::string::npos);
}

TEST_F(Character, ScreenPositionWrapsOnALoopingMap) {
    TheMapState.loopsHorizontally = 1;
    TheMapState.scrollX = 4 * 32 * 3;
    MapCharacter character;
    PlaceCharacter(character, 1, 0, 0);
    EXPECT_EQ(GetCharacterScreenX(character, false), 32 - 96 + 16);
    EXPECT_EQ(GetCharacterScreenX(character, true), 32 - 96 + 16 + 20 * 32);
}

TEST_F(Character, JumpArcPeaksHalfway) {
    MapCharacter character;
    character.jumpHalfLength = 5;
    character.jumpRemaining = 5;
    EXPECT_EQ(GetCharacterFootScreenY(character, false) - GetCharacterScreenY(character, false),
              15);
    character.jumpRemaining = 0;
    EXPECT_EQ(GetCharacterFootScreenY(character, false), GetCharacterScreenY(character, false));
}

TEST_F(Character, SaveBlockRoundTripDropsTheGlide) {
    MapCharacter character;
    character.referenceId = 7;
    PlaceCharacter(character, 4, 5, 0);
    character.pixelX += 12;
    character.graphicName = "hero.png";
    character.direction = 6;
    character.passThrough = 1;
    character.runningRoute.steps.resize(2);
    character.runningRoute.steps[1].code = 21;
    character.runningRoute.steps[1].args = {1, 2};
    character.savedRouteIndex = 3;
    character.turnedToHero = 1;
    character.spareList = {9, 8};
    SaveBuffer save;
    WriteMapCharacter(save, character);
    // The name is stored with its terminator, its length counting it.
    EXPECT_EQ(save.block()[21], 9);
    EXPECT_EQ(save.block()[31], 0);

    SaveBuffer read(save.block());
    MapCharacter back;
    ASSERT_TRUE(ReadMapCharacter(read, back));
    EXPECT_EQ(read.position(), save.block().size());
    EXPECT_EQ(back.referenceId, 7);
    EXPECT_EQ(back.x, 8);
    EXPECT_EQ(back.pixelX, 8 * 64);
    EXPECT_EQ(back.graphicName, "hero.png");
    EXPECT_EQ(back.direction, 6);
    EXPECT_EQ(back.passThrough, 1);
    ASSERT_EQ(back.runningRoute.steps.size(), 2u);
    EXPECT_EQ(back.runningRoute.steps[1].args, (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(back.savedRouteIndex, 3);
    EXPECT_EQ(back.turnedToHero, 1);
    EXPECT_EQ(back.spareList, (std::vector<std::int32_t>{9, 8}));
}

TEST_F(Character, DamagedSaveBlocksAreRefused) {
    MapCharacter character;
    character.graphicName = "a.png";
    SaveBuffer save;
    WriteMapCharacter(save, character);
    std::vector<std::uint8_t> block = save.block();
    // Name lengths of 0 and above 260 never come from the writer.
    for (std::int16_t length : {0, 261, -4}) {
        std::vector<std::uint8_t> bad = block;
        bad[21] = static_cast<std::uint8_t>(length & 0xFF);
        bad[22] = static_cast<std::uint8_t>((length >> 8) & 0xFF);
        SaveBuffer read(bad);
        MapCharacter back;
        EXPECT_FALSE(ReadMapCharacter(read, back)) << length;
        EXPECT_TRUE(read.readPastEnd()) << length;
    }
    for (std::size_t cut : {std::size_t{3}, std::size_t{25}, block.size() - 1}) {
        SaveBuffer read(std::vector<std::uint8_t>(block.begin(), block.begin() + cut));
        MapCharacter back;
        EXPECT_FALSE(ReadMapCharacter(read, back)) << cut;
        EXPECT_TRUE(read.readPastEnd()) << cut;
    }
}

TEST_F(Character, FacingTable) {
    struct Case {
        void (*face)(MapCharacter&);
        int from, eightWay, fourWay;
    } const cases[] = {
        {FaceDownLeft, 6, 1, 4},  {FaceDownLeft, 8, 1, 2},         {FaceDownRight, 4, 3, 6},
        {FaceUpLeft, 6, 7, 4},    {FaceUpRight, 2, 9, 8},          {TurnClockwise, 2, 1, 4},
        {TurnClockwise, 6, 3, 2}, {TurnCounterClockwise, 2, 3, 6}, {TurnCounterClockwise, 4, 1, 2}};
    for (const Case& c : cases) {
        for (int sheet : {1, 0}) {
            MapCharacter character;
            character.eightDirectionSheet = static_cast<std::uint8_t>(sheet);
            character.direction = static_cast<std::int16_t>(c.from);
            c.face(character);
            EXPECT_EQ(character.direction, sheet ? c.eightWay : c.fourWay) << c.from;
        }
    }
    MapCharacter fixed;
    fixed.directionFixed = 1;
    FaceUp(fixed);
    EXPECT_EQ(fixed.direction, 2);
}

}  // namespace
}  // namespace game
