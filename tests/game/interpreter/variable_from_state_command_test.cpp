// The variable-from-state command on the 20 x 15 map: each source kind's rows, the operations and
// the target forms.
#include <gtest/gtest.h>

#include <climits>

#include "game/core/input_state.h"
#include "game/map/party.h"
#include "game/presentation/picture_list.h"
#include "tests/game/interpreter/map_command_fixture.h"

namespace game {
namespace {

constexpr std::int32_t kSixDigits = 0x01;
constexpr std::int32_t kIndirect = 0x10;
constexpr std::int32_t kHalfTiles = 0x20;

constexpr std::int32_t Options(int kind, int operation = 0, int query = 0, std::int32_t flags = 0) {
    return (query << 16) | (kind << 12) | (operation << 8) | flags;
}

// Map event 4 stands at half tile (7, 9) on its second page, a confirm page whose byte list
// holds shadow 3 and contact extents 5 and 6; the hero stands at half tile (2, 2).
class VariableFromState : public MapCommandTest {
  protected:
    void SetUp() override {
        MapCommandTest::SetUp();
        MapEvent event(4);
        event.pages.resize(2);
        event.pages[1].options = {3, 5, 6};
        event.pages[1].graphic.graphicName = "npc.png";
        TheMapState.mapData.events.push_back(event);
        EventCharacter& character = TheMapState.eventCharacters.emplace_back(1, event);
        PlaceCharacter(character, 7, 9, 1);
        character.lift = 5;
        character.direction = 6;
        PlaceCharacter(TheParty, 2, 2, 1);
    }

    static std::int32_t Value(std::int32_t options, std::vector<std::int32_t> selectors) {
        std::vector<std::int32_t> args{VarId(1), options};
        args.insert(args.end(), selectors.begin(), selectors.end());
        V(1) = 0;
        RunLine(124, args);
        return V(1);
    }
};

TEST_F(VariableFromState, CharacterProperties) {
    const std::int32_t character = Options(1);
    struct Case {
        std::int32_t reference, property, value;
    } const cases[] = {
        {4, 0, 3},    {4, 1, 4},   {4, 2, 7},   {4, 3, 9},   {4, 4, 5},   {4, 5, 6},
        {4, 6, 128},  {4, 7, 171}, {4, 8, 3},   {4, 9, 0},   {4, 10, 4},  {4, 11, 1},
        {4, 12, 2},   {4, 13, 0},  {4, 14, 5},  {4, 15, 6},  {4, 16, 0},  {4, -1, 0},
        {-2, 10, -2}, {-2, 12, 0}, {-2, 14, 0}, {-8, 0, -1}, {99, 0, -1}, {-2, 0, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Value(character, {c.reference, c.property}), c.value)
            << c.reference << " property " << c.property;
}

// The reference is used as it stands: a variable ID names no character, even when the variable
// holds an event's number. Positions wrap onto the map.
TEST_F(VariableFromState, AReferenceAsItStandsAndPositionsOffTheMap) {
    V(5) = 4;
    EXPECT_EQ(Value(Options(1), {VarId(5), 10}), -1);
    PlaceCharacter(TheParty, 0, 0, 1);
    TheParty.x = -3;
    EXPECT_EQ(Value(Options(1), {-2, 0}), 19);
    EXPECT_EQ(Value(Options(1), {-2, 2}), 37);
    TheMapState.mapData.header.width = 0;
    EXPECT_EQ(Value(Options(1), {-2, 0}), 0);
    EXPECT_EQ(Value(Options(1), {-2, 2}), 0);
}

TEST_F(VariableFromState, MapQueries) {
    TheMapState.tags[9] = 6;
    TheMapState.attributes[10] = kBlockAll;
    SetTile(2, 3, 3, 1);  // index 9, tagged, under a character at tile (3, 3)
    SetTile(2, 3, 4, 1);
    SetTile(2, 5, 4, 2);                    // index 10, blocks
    SetTile(1, 6, 6, MapData::kEmptyTile);  // layer 2 and 1 empty: layer 0's index
    SetTile(2, 6, 6, MapData::kEmptyTile);
    SetTile(0, 6, 6, 3);
    struct Case {
        const char* name;
        int query;
        std::int32_t flags, x, y, value;
    } const cases[] = {
        {"Tag", 0, 0, 3, 3, 6},
        {"NoTag", 0, 0, 8, 8, 0},
        {"EventInTiles", 1, 0, 3, 4, 4},
        {"EventInHalfTiles", 1, kHalfTiles, 7, 9, 4},
        {"EventHalfATileOff", 1, kHalfTiles, 6, 9, -1},
        {"NoEvent", 1, 0, 9, 9, -1},
        {"Blocked", 2, 0, 5, 4, 1},
        {"Open", 2, 0, 8, 8, 0},
        {"HeroBlockedByTheEvent", 3, kHalfTiles, 7, 9, 1},
        {"HeroFree", 3, 0, 8, 8, 0},
        {"TopLayer", 4, 0, 3, 4, 9},
        {"BottomLayerUnderEmptyOnes", 4, 0, 6, 6, 11},
        {"UnknownQuery", 5, 0, 3, 4, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Value(Options(2, 0, c.query, c.flags), {c.x, c.y}), c.value) << c.name;
}

TEST_F(VariableFromState, SystemValues) {
    TheMapState.mapNumber = 6;
    TheScreenState.loadedSoundListSizes = {5, 5, 5};
    TheMainInterpreter.CurrentMusicNumber = 3;
    TheMainInterpreter.CurrentBgsNumber = 7;
    InputState& input = TheInputState;
    input.mouseButtons = {1, 1, 0};
    input.mouseButtonsPressed = {1, 0, 0};
    input.wheel = -2;
    input.mouseDX = 7;
    input.mouseDY = -9;
    struct Case {
        std::int32_t item, value;
    } const cases[] = {
        {0, 6}, {1, 3},   {2, -1}, {3, 0},   {4, 0},   {5, 0},   {6, 0},   {7, 2},  {8, 1},
        {9, 0}, {10, -2}, {11, 7}, {12, -9}, {14, -1}, {15, 20}, {16, 15}, {17, 0}, {18, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Value(Options(3), {c.item}), c.value) << "item " << c.item;
}

// The event at half tile (7, 9) is drawn from (112, 144); a hit lies right of its left edge
// and in the lower half of its tile, or anywhere down its tile when it stands on two rows.
TEST_F(VariableFromState, TheLowestEventUnderTheMousePointer) {
    MapEvent other(2);
    TheMapState.mapData.events.push_back(other);
    PlaceCharacter(TheMapState.eventCharacters.emplace_back(1, other), 7, 9, 1);
    struct Case {
        int mouseX, mouseY, scrollX;
        bool twoRow;
        std::int32_t value;
    } const cases[] = {
        {113, 160, 0, false, 2},  {112, 160, 0, false, -1},     {144, 160, 0, false, -1},
        {143, 175, 0, false, 2},  {120, 159, 0, false, -1},     {120, 144, 0, true, 2},
        {120, 176, 0, false, -1}, {100, 160, 4 * 20, false, 2}, {120 - 640, 160, 0, false, 2},
    };
    for (const Case& c : cases) {
        TheInputState.mouseX = c.mouseX;
        TheInputState.mouseY = c.mouseY;
        TheMapState.scrollX = c.scrollX;
        for (EventCharacter& event : TheMapState.eventCharacters)
            event.twoRow = c.twoRow ? 1 : 0;
        EXPECT_EQ(Value(Options(3), {13}), c.value) << c.mouseX << "," << c.mouseY;
    }
}

TEST_F(VariableFromState, TheTransferTargetCountsAsTheMapAtOnce) {
    TheMapState.mapNumber = 1;
    tools::CommandListBuilder list;
    list.Add(130, {-1, 2, 3, 9, 0}).Add(124, {VarId(1), Options(3), 0});
    Run(list, 2);
    ASSERT_EQ(TheScreenState.TransferPending, 1);
    EXPECT_EQ(V(1), 9);
}

TEST_F(VariableFromState, PictureValuesByANumberReadThroughItsVariable) {
    Picture picture(5);
    picture.Pattern = 3;
    ThePictureList.Pictures.push_back(picture);
    ThePictureList.RebuildPictureHints();
    V(4) = 5;
    EXPECT_EQ(Value(Options(4), {VarId(4), 4}), 3);
    EXPECT_EQ(Value(Options(4), {6, 4}), -1);
    EXPECT_EQ(Value(Options(4), {6, 9}), 0);
}

// c is the hero's lift, the target's old value a is V1.
TEST_F(VariableFromState, OperationsCombineTheTargetAndTheValue) {
    constexpr std::int32_t kBig = 2000000000;
    struct Case {
        int operation;
        std::int32_t a, c, result;
    } const cases[] = {
        {0, 5, 7, 7},    {1, kBig, kBig, kBig}, {2, -kBig, kBig, -kBig},  {3, 100000, 100000, kBig},
        {3, -3, 4, -12}, {4, 17, 0, 17},        {4, 17, -5, -3},          {4, INT_MIN, -1, INT_MIN},
        {5, 17, 0, 0},   {5, -17, 5, -2},       {5, INT_MIN, -1, 0},      {6, 3, 9, 9},
        {7, 3, 9, 3},    {8, 3, -9, 9},         {8, 3, INT_MIN, INT_MIN}, {9, 3, 9, 3},
        {15, 3, 9, 3},
    };
    for (const Case& c : cases) {
        TheParty.lift = c.c;
        V(1) = c.a;
        RunLine(124, {VarId(1), Options(1, c.operation), -2, 4});
        EXPECT_EQ(V(1), c.result) << "operation " << c.operation << " on " << c.a << ", " << c.c;
    }
}

TEST_F(VariableFromState, TargetsClampsAndUnknownKinds) {
    TheParty.lift = 5000000;
    RunLine(124, {VarId(1), Options(1, 0, 0, kSixDigits), -2, 4});
    EXPECT_EQ(V(1), 999999);
    TheParty.lift = -5000000;
    RunLine(124, {VarId(1), Options(1, 0, 0, kSixDigits), -2, 4});
    EXPECT_EQ(V(1), -999999);

    TheParty.lift = 12;
    V(2) = 7;
    V(7) = 30;
    RunLine(124, {VarId(2), Options(1, 1, 0, kIndirect), -2, 4});
    EXPECT_EQ(V(7), 42);
    V(3) = VarId(8);
    RunLine(124, {VarId(3), Options(1, 0, 0, kIndirect), -2, 4});
    EXPECT_EQ(V(8), 12);

    V(1) = 77;
    for (int kind : {0, 5, 15})
        RunLine(124, {VarId(1), Options(kind), 0, 0});
    EXPECT_EQ(V(1), 77);
}

}  // namespace
}  // namespace game
