#include <gtest/gtest.h>

#include <vector>

#include "tests/game/map/character_fixture.h"

namespace game {
namespace {

using Movement = CharacterTest;

// Tile column x (in tiles) blocked in every direction.
void BlockTile(int x, int y) {
    constexpr int kBlockedBase = 1;
    TheMapState.attributes[8 + kBlockedBase] = 0x0F;
    for (auto& layer : TheMapState.mapData.tileLayers)
        layer[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] = kBlockedBase;
}

TEST_F(Movement, EventsWithoutGraphicBlockEventsButNotTheHero) {
    EventCharacter& still = AddEvent(1, 12, 10, false);
    still.passThrough = 0;
    EventCharacter& walker = AddEvent(2, 10, 10);
    TheParty.x = 10;
    TheParty.y = 12;
    EXPECT_FALSE(Step(walker, 6, true));
    EXPECT_EQ(walker.direction, 6);
    PlaceCharacter(TheParty, 10, 10, 1);
    TheMapState.eventCharacters[1].x = 30;
    EXPECT_TRUE(Step(TheParty, 6, true));
    EXPECT_EQ(TheParty.x, 11);
}

TEST_F(Movement, TheTurnFlagTurnsOnABlockedStep) {
    BlockTile(6, 5);
    for (bool turn : {true, false}) {
        MapCharacter character;
        character.referenceId = 1;
        PlaceCharacter(character, 10, 10, 1);
        EXPECT_FALSE(Step(character, 6, turn));
        EXPECT_EQ(character.direction, turn ? 6 : 2);
    }
}

TEST_F(Movement, ABlockedDiagonalSlidesVerticalFirstWhenTheCharacterMay) {
    // The far corner (right and down) is blocked; both straight steps are open.
    BlockTile(6, 6);
    struct Case {
        std::uint8_t slide;
        bool moved;
        int x, y;
    } const cases[] = {{0, false, 10, 10}, {1, true, 10, 11}};
    for (const Case& c : cases) {
        MapCharacter character;
        character.referenceId = 1;
        character.slideOnDiagonals = c.slide;
        PlaceCharacter(character, 10, 10, 1);
        EXPECT_EQ(Step(character, 3, true), c.moved);
        EXPECT_EQ(character.x, c.x);
        EXPECT_EQ(character.y, c.y);
        EXPECT_EQ(character.direction, 3);
    }
}

TEST_F(Movement, JumpLengthsAndPlaces) {
    struct Case {
        int stepSize, jx, speed, half;
    } const cases[] = {{1, 0, 4, 5}, {2, 2, 4, 7}, {1, 0, 3, 6}};
    for (const Case& c : cases) {
        MapCharacter character;
        character.referenceId = 1;
        character.stepSize = c.stepSize;
        character.speed = static_cast<std::int16_t>(c.speed);
        PlaceCharacter(character, 10, 10, 1);
        ASSERT_TRUE(JumpBy(character, c.jx, 0));
        EXPECT_EQ(character.jumpHalfLength, c.half);
        EXPECT_EQ(character.jumpRemaining, 2 * c.half);
        EXPECT_EQ(character.x, 10 + c.jx * c.stepSize);
        EXPECT_EQ(character.direction, c.jx == 0 ? 2 : 6);
        EXPECT_EQ(Settle(character), 2 * c.half);
    }
}

TEST_F(Movement, GlideSpeedFollowsTheFactorByte) {
    struct Case {
        int factor, speed, updates;
    } const cases[] = {{4, 4, 4}, {2, 4, 8}, {4, 5, 2}, {0, 4, 64}, {4, -1, 64}, {4, 31, 1}};
    for (const Case& c : cases) {
        TheGameInfo.gameFlags[15] = static_cast<std::int8_t>(c.factor);
        MapCharacter character;
        character.referenceId = 1;
        character.speed = static_cast<std::int16_t>(c.speed);
        PlaceCharacter(character, 10, 10, 1);
        ASSERT_TRUE(Step(character, 6, false));
        EXPECT_EQ(Settle(character), c.updates) << c.factor << " " << c.speed;
    }
}

TEST_F(Movement, WalkingPatternsCycleFromTheMiddle) {
    MapCharacter character;
    character.referenceId = 1;
    character.animationSpeed = 0;
    PlaceCharacter(character, 10, 10, 1);
    std::vector<int> patterns;
    for (int i = 0; i < 5; ++i) {
        character.x = 11 + i;
        UpdateCharacterMotion(character);
        patterns.push_back(character.pattern);
        character.pixelX = 2 * 32 * character.x;
    }
    EXPECT_EQ(patterns, (std::vector<int>{2, 1, 0, 1, 2}));
    for (int i = 0; i < 3; ++i)
        UpdateCharacterMotion(character);
    EXPECT_EQ(character.pattern, character.standPattern);
}

TEST_F(Movement, ShakeSwingsAlternateTheirSign) {
    struct Case {
        int swings;
        std::vector<int> offsets;
    } const cases[] = {{1, {0, 4, 8, 4, 0}}, {2, {0, -4, -8, -4, 0, 4, 8, 4, 0}}};
    for (const Case& c : cases) {
        MapCharacter character;
        character.shakeAmplitudeX = 8;
        character.shakeHalfPeriod = 2;
        character.shakePhase = 4;
        character.shakeSwings = c.swings;
        std::vector<int> offsets;
        for (std::size_t i = 0; i < c.offsets.size(); ++i) {
            UpdateCharacterMotion(character);
            offsets.push_back(character.screenOffsetX);
        }
        EXPECT_EQ(offsets, c.offsets);
    }
}

TEST_F(Movement, FivePatternsChangeTheIntervalsOnce) {
    TheGameInfo.gameFlags[7] = 5;
    MapCharacter character;
    character.animationSpeed = 1;
    character.steppingAnimation = 1;
    int changes = 0;
    for (int i = 0; i < 40; ++i) {
        const int before = character.pattern;
        UpdateCharacterMotion(character);
        changes += character.pattern != before;
    }
    // Every fifth update with the halved interval of 3 frames and 0.75 per update.
    EXPECT_EQ(changes, 8);
}

TEST_F(Movement, ApproachAndFleeStepAlongTheLongerAxis) {
    TheGameInfo.gameFlags[2] = 4;
    PlaceCharacter(TheParty, 10, 10, 1);
    MapCharacter character;
    character.referenceId = 1;
    PlaceCharacter(character, 16, 12, 1);
    ApproachHero(character);
    EXPECT_EQ(character.x, 15);
    EXPECT_EQ(character.direction, 4);
    Settle(character);
    FleeFromHero(character);
    EXPECT_EQ(character.x, 16);
    TheGameInfo.gameFlags[2] = 8;
    Settle(character);
    ApproachHero(character);
    EXPECT_EQ(character.x, 15);
    EXPECT_EQ(character.y, 11);
    EXPECT_EQ(character.direction, 7);
}

TEST_F(Movement, ApproachTargetWithoutATargetDoesNothing) {
    AddEvent(4, 2, 2);
    MapCharacter character;
    character.referenceId = 1;
    PlaceCharacter(character, 10, 10, 1);
    for (int reference : {-1, -3 - 7, 99}) {
        ApproachTarget(character, 1, reference, 0);
        EXPECT_EQ(character.x, 10) << reference;
    }
    ApproachTarget(character, 1, 4, 0);
    EXPECT_EQ(character.x, 9);
}

}  // namespace
}  // namespace game
