// The hero walked by scripted keys through whole map frames: map update, main interpreter,
// hero update. No window: the input state is filled per frame.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "game/interpreter/run_interpreter.h"
#include "game/map/map_update.h"
#include "tests/game/map/character_fixture.h"

namespace game {
namespace {

struct Key {
    int direction;
    bool confirm;
    int frames;
};

struct Walk {
    std::vector<std::pair<int, int>> trace;
    std::vector<int> fired;
    std::vector<std::pair<int, int>> members;
    std::pair<int, int> wanderer;
    int directionAfterWall = 0;
    int platePage = -1;
};

constexpr int kSign = 0;
constexpr int kPlate = 1;
constexpr int kWanderer = 2;

class PartyWalk : public CharacterTest {
  protected:
    static void Build() {
        Load(20, 15);
        TheScreenState.SceneNumber = 1;
        TheMainInterpreter.SetUpInterpreter(0, true);
        TheMapState.attributes[9] = 0x0F;
        for (auto& layer : TheMapState.mapData.tileLayers)
            layer[8][6] = 1;
        EventCharacter& sign = AddEvent(10, 14, 9);
        sign.commands.resize(2);
        // The plate: stepped on it fires; its own self variable 0 turns it to page 2.
        MapEvent plate(11);
        plate.x = 6;
        plate.y = 6;
        plate.pages.resize(2);
        plate.pages[0].conditions.startKind = kTouchStart;
        plate.pages[0].movement.characterOptions = 0x08;
        plate.pages[1].conditions.operators[0] = 0x21;
        plate.pages[1].conditions.variableIds[0] = 1100000;
        plate.pages[1].conditions.references[0] = 1;
        TheMapState.mapData.events.push_back(plate);
        TheMapState.eventCharacters.emplace_back(1, plate);
        TheMapState.eventCharacters.back().commands.resize(2);
        EventCharacter& wanderer = AddEvent(12, 34, 26);
        wanderer.moveKind = 2;
        wanderer.frequency = 0;
        PlaceCharacter(TheParty, 5, 5, 0);
        GatherParty(TheParty);
    }

    static Walk Run() {
        Build();
        const std::vector<Key> script = {{6, false, 16}, {8, false, 2}, {0, true, 1},
                                         {0, false, 6},  {2, false, 8}, {6, false, 8},
                                         {4, false, 8},  {0, false, 4}};
        Walk walk;
        walk.fired.assign(TheMapState.eventCharacters.size(), 0);
        walk.trace.emplace_back(TheParty.x, TheParty.y);
        for (const Key& key : script) {
            for (int frame = 0; frame < key.frames; ++frame) {
                TheInputState.direction8 = key.direction;
                TheInputState.confirmPressed = key.confirm && frame == 0;
                UpdateMap(TheMapState);
                RunInterpreter(TheMainInterpreter);
                UpdateHero(TheParty);
                if (walk.trace.back() != std::pair{TheParty.x, TheParty.y})
                    walk.trace.emplace_back(TheParty.x, TheParty.y);
                auto& events = TheMapState.eventCharacters;
                for (std::size_t i = 0; i < events.size(); ++i)
                    walk.fired[i] += events[i].runRequest;
                // What the plate's commands do: its self variable 0 becomes 1.
                if (events[kPlate].runRequest != 0) {
                    TheVariableStore.StoreValueById(1000110, 1);
                    TheMapState.pageRefreshRequest = 1;
                }
            }
            if (key.direction == 6 && key.frames == 8)
                walk.directionAfterWall = TheParty.direction;
        }
        for (const MapCharacter& member : TheParty.members)
            walk.members.emplace_back(member.x, member.y);
        const EventCharacter& wanderer = TheMapState.eventCharacters[kWanderer];
        walk.wanderer = {wanderer.x, wanderer.y};
        walk.platePage = TheMapState.eventCharacters[kPlate].activePage;
        return walk;
    }
};

TEST_F(PartyWalk, TheHeroWalksBumpsConfirmsAndStepsOnThePlate) {
    const Walk walk = Run();
    const std::vector<std::pair<int, int>> trace = {
        {10, 10}, {11, 10}, {12, 10}, {13, 10}, {14, 10}, {14, 11}, {14, 12}, {13, 12}, {12, 12}};
    EXPECT_EQ(walk.trace, trace);
    EXPECT_EQ(walk.directionAfterWall, 6);
    EXPECT_EQ(walk.fired[kSign], 1);
    EXPECT_EQ(walk.fired[kPlate], 1);
    EXPECT_EQ(walk.fired[kWanderer], 0);
    EXPECT_EQ(walk.platePage, 1);
    // Follow distance 2: member n replays the hero's steps 2 (n + 1) behind.
    const std::vector<std::pair<int, int>> members = {
        {14, 12}, {14, 10}, {12, 10}, {10, 10}, {10, 10}};
    EXPECT_EQ(walk.members, members);
}

TEST_F(PartyWalk, ASecondSeededRunRepeatsTheTrace) {
    const Walk first = Run();
    const Walk second = Run();
    EXPECT_EQ(first.trace, second.trace);
    EXPECT_EQ(first.wanderer, second.wanderer);
    EXPECT_NE(first.wanderer, (std::pair{34, 26}));
}

}  // namespace
}  // namespace game
