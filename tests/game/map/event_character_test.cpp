#include <gtest/gtest.h>

#include "game/core/save_buffer.h"
#include "game/map/map_state_save.h"
#include "tests/game/map/character_fixture.h"

namespace game {
namespace {

using EventPages = CharacterTest;

constexpr std::uint8_t kHolds = 0x01;

PageStartConditions Condition(std::uint8_t op, std::int32_t id, std::int32_t value) {
    PageStartConditions conditions;
    conditions.operators[0] = op;
    conditions.variableIds[0] = id;
    conditions.references[0] = value;
    return conditions;
}

EventCharacter Build(MapEvent event) {
    TheMapState.mapData.events.push_back(event);
    return EventCharacter(1, event);
}

TEST_F(EventPages, ConditionsTable) {
    TheVariableStore.StoreValueById(1000073, 5);
    TheVariableStore.StoreValueById(1000003, 2);
    struct Case {
        std::uint8_t op;
        std::int32_t id, value;
        bool holds;
    } const cases[] = {
        {0x00, 1000003, 99, true},                 // bit 0 clear: holds, the rest unread
        {0x20 | kHolds, 1000003, 5, true},         // left: event 7's own self variable 3
        {0x20 | kHolds, 1000003, 1000003, false},  // right: event 0's self variable 3 (2)
        {0x20 | kHolds, 1000003, 1100003, true},   // right: its own again
        {0x00 | kHolds, 1000003, 4, true},         // 5 > 4
        {0x40 | kHolds, 1000003, 5, false},        // 5 < 5
        {0x60 | kHolds, 1000003, 5, true},         // bits 0 and 2 of 5 are set
        {0x60 | kHolds, 1000003, 2, false},        // bit 1 is not
        {0x70 | kHolds, 1000003, 5, false},        // comparisons above 6 fail
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TestPageConditions(Condition(c.op, c.id, c.value), 7), c.holds)
            << int(c.op) << " " << c.id << " " << c.value;
    }
}

// Page conditions name an event's own IDs as its interpreter does, for any event number a
// damaged map may hold: 429496730 * 10 wraps to 4, 704643078 * 10 past the lowest ID.
TEST_F(EventPages, OwnIdsOfAnyEventNumberMatchTheInterpreter) {
    TheVariableStore.StoreValueById(1000007, 9);
    for (const int number : {7, 429496730, 704643078, -1}) {
        EventInterpreter interpreter;
        interpreter.StartInterpreter(CommandListRef::None(), number, -1);
        for (const std::int32_t own : {1100003, 9190003}) {
            const std::int32_t seen = interpreter.ReadInterpreterValue(own);
            EXPECT_TRUE(TestPageConditions(Condition(0x20 | kHolds, own, seen), number))
                << number << " " << own;
        }
    }
    MapEvent event(429496730);
    event.pages[0].conditions = Condition(0x20 | kHolds, 1100003, 9);
    EXPECT_EQ(Build(event).activePage, 0);
}

TEST_F(EventPages, NoPageLeavesNothingToRun) {
    MapEvent event(3);
    event.pages[0].conditions = Condition(0x20 | kHolds, 1000003, 1);
    event.pages[0].graphic.graphicName = "npc.png";
    event.pages[0].commands.resize(3);
    EventCharacter character = Build(event);
    EXPECT_EQ(character.activePage, -1);
    EXPECT_EQ(character.graphicName, "");
    EXPECT_EQ(character.passThrough, 1);
    EXPECT_TRUE(character.commands.empty());
    MarkEventToRun(character, -1);
    EXPECT_EQ(character.runRequest, 0);
}

TEST_F(EventPages, TheLastHoldingPageIsAppliedWithItsRouteBytes) {
    MapEvent event(3);
    event.pages.resize(2);
    EventPage& second = event.pages[1];
    second.conditions = Condition(0x20 | kHolds, 1100002, 1);
    second.graphic.direction = 8;
    second.graphic.pattern = 0;
    second.movement.moveKind = 2;
    second.movement.animationSpeed = 5;
    second.movement.moveSpeed = 6;
    second.movement.moveFrequency = 1;
    second.movement.characterOptions = 0x0C;
    second.options = {3, 2, 1};
    EventCharacter character = Build(event);
    EXPECT_EQ(character.activePage, 0);
    TheVariableStore.StoreValueById(1000032, 1);
    SelectActivePage(character);
    EXPECT_EQ(character.activePage, 1);
    EXPECT_EQ(character.direction, 8);
    EXPECT_EQ(character.pattern, 0);
    EXPECT_EQ(character.moveKind, 2);
    EXPECT_EQ(character.speed, 6);
    EXPECT_EQ(character.frequency, 1);
    EXPECT_EQ(character.animationSpeed, 5);
    EXPECT_EQ(character.directionFixed, 1);
    EXPECT_EQ(character.passThrough, 1);
    EXPECT_EQ(character.walkingAnimation, 0);
    EXPECT_EQ(GetContactExtent(character, false), 2);
    EXPECT_EQ(GetContactExtent(character, true), 1);
}

TEST_F(EventPages, RemovalFadesAndNeverGoesBelowZero) {
    struct Case {
        int frames, framesPerUpdate, updates, opacity;
        std::uint8_t removed;
    } const cases[] = {{0, 1, 1, 0, 1}, {30, 1, 15, 127, 0}, {3, 2, 3, 0, 1}};
    for (const Case& c : cases) {
        FramesPerUpdate = c.framesPerUpdate;
        EventCharacter character = Build(MapEvent(5));
        SetEventRemoval(character, c.frames);
        for (int i = 0; i < c.updates; ++i)
            UpdateEventCharacter(character);
        EXPECT_EQ(character.opacity, c.opacity) << c.frames;
        EXPECT_EQ(character.removed, c.removed) << c.frames;
    }
}

class Triggers : public CharacterTest {
  protected:
    EventCharacter& Add(int number, int x, int y, int kind, bool graphic = true) {
        EventCharacter& event = AddEvent(number, x, y, graphic);
        event.startKind = kind;
        event.passThrough = 0;
        event.commands.resize(2);
        return event;
    }
};

TEST_F(Triggers, ConfirmReachesTheFrontOrTheHerosOwnSpot) {
    PlaceCharacter(TheParty, 10, 10, 1);
    TheParty.direction = 6;
    EventCharacter& sign = Add(1, 12, 10, kConfirmStart);
    EXPECT_TRUE(CheckHeroFront({1, 0, 0, 0, 0}));
    EXPECT_EQ(sign.runRequest, 1);
    // Without a graphic on an open tile it is walkable: only standing on it confirms it.
    EventCharacter& plate = Add(2, 10, 14, kConfirmStart, false);
    plate.passThrough = 1;
    PlaceCharacter(TheParty, 10, 13, 1);
    TheParty.direction = 2;
    EXPECT_FALSE(CheckHeroFront({1, 0, 0, 0, 0}));
    PlaceCharacter(TheParty, 10, 14, 1);
    EXPECT_TRUE(CheckHeroContact({1, 0, 0, 0, 0}));
    EXPECT_EQ(TheMapState.eventCharacters[1].runRequest, 1);
}

TEST_F(Triggers, ExtentsWidenTheTouch) {
    PlaceCharacter(TheParty, 10, 10, 1);
    Add(1, 15, 10, kTouchStart);
    EXPECT_FALSE(CheckHeroBump(12, 10));
    TheMapState.eventCharacters[0].pageBytes = {255, 2, 0};
    TheMapState.eventCharacters[0].activePage = 0;
    EXPECT_TRUE(CheckHeroBump(12, 10));
}

TEST_F(Triggers, CounterTilesReachAcrossForConfirmOnly) {
    TheMapState.attributes[9] = 0x80 | 0x0F;
    for (auto& layer : TheMapState.mapData.tileLayers)
        layer[6][5] = 1;
    PlaceCharacter(TheParty, 12, 12, 1);
    TheParty.direction = 8;
    Add(1, 12, 9, kTouchStart);
    Add(2, 12, 9, kConfirmStart);
    EXPECT_TRUE(CheckHeroFront({1, 0, 0, 0, 0}));
    EXPECT_EQ(TheMapState.eventCharacters[0].runRequest, 0);
    EXPECT_EQ(TheMapState.eventCharacters[1].runRequest, 1);
}

TEST_F(Triggers, FacingRightFromTheLastColumnOfALoopingMapChecksColumnZero) {
    TheMapState.loopsHorizontally = 1;
    PlaceCharacter(TheParty, 39, 10, 1);
    TheParty.direction = 6;
    Add(1, 0, 10, kConfirmStart);
    EXPECT_TRUE(CheckHeroFront({1, 0, 0, 0, 0}));
}

TEST_F(Triggers, AutomaticAndTouchEitherWayMarkThemselves) {
    PlaceCharacter(TheParty, 4, 4, 1);
    EventCharacter& automatic = Add(1, 20, 20, kAutomaticStart);
    CheckEventSelfTrigger(automatic);
    EXPECT_EQ(automatic.runRequest, 1);
    EventCharacter& touch = Add(2, 6, 4, kTouchEitherWayStart);
    CheckEventTouch(touch, 5, 4);
    EXPECT_EQ(touch.runRequest, 1);
}

TEST_F(EventPages, TheMapSaveCarriesEveryEventCharacter) {
    AddEvent(4, 6, 8).direction = 4;
    AddEvent(9, 12, 2).removed = 1;
    SaveBuffer save;
    WriteMapState(save, TheMapState);
    SaveBuffer load(save.block());
    MapState read;
    ASSERT_TRUE(ReadMapState(load, read, false));
    ASSERT_EQ(read.eventCharacters.size(), 2u);
    EXPECT_EQ(read.eventCharacters[0].referenceId, 4);
    EXPECT_EQ(read.eventCharacters[0].direction, 4);
    EXPECT_EQ(read.eventCharacters[1].x, 12);
    EXPECT_EQ(read.eventCharacters[1].pixelY, 2 * 64);
    EXPECT_EQ(read.eventCharacters[1].removed, 1);
}

}  // namespace
}  // namespace game
