#include "game/interpreter/tile_commands.h"

#include <gtest/gtest.h>

#include "game/interpreter/main_interpreter.h"
#include "game/map/tile_set_view.h"
#include "tests/game/interpreter/map_command_fixture.h"

namespace game {
namespace {

constexpr int kLayer1 = 1;  // the command's layer number; tiles land on layer index 0
constexpr std::int32_t kMax = 2000000000;

TEST(AutotileShapes, EachQuarterFollowsItsThreeNeighbours) {
    struct Case {
        bool vertical, horizontal, diagonal;
        int code;
    } const cases[] = {
        {true, true, true, 4},   {true, true, false, 3},   {true, false, true, 1},
        {true, false, false, 1}, {false, true, true, 2},   {false, true, false, 2},
        {false, false, true, 0}, {false, false, false, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QuarterShapeCode(c.vertical, c.horizontal, c.diagonal), c.code)
            << c.vertical << c.horizontal << c.diagonal;
}

using TileCommands = MapCommandTest;

TEST_F(TileCommands, MovementDuringEventsIsSwitchedOnAndOff) {
    RunLine(230, {});
    EXPECT_EQ(TheMainInterpreter.MoveDuringEvents, 1);
    RunLine(231, {});
    EXPECT_EQ(TheMainInterpreter.MoveDuringEvents, 0);
}

// A 3 x 3 block of autotile 3 away from the edges, on a layer of plain tiles, beside an
// autotile of kind 2 that stands alone.
TEST_F(TileCommands, AFilledBlockTakesItsShapesAndNeighboursKeepTheirKind) {
    SetTile(0, 4, 6, 200000 + 4444);
    RunLine(242, {kLayer1, 5, 5, 3, 3, 3});
    struct Case {
        int x, y;
        std::int32_t value;
    } const cases[] = {
        {6, 6, 404444},             // centre: strictly inside, written full
        {5, 5, 400214},             // top left: quarters 0, 2, 1, 4
        {6, 5, 402244},             // top middle
        {7, 7, 404120},             // bottom right
        {4, 6, 200000},             // the kind-2 neighbour: every neighbour differs
        {4, 4, 0},      {8, 8, 0},  // plain tiles around stay
    };
    for (const Case& c : cases)
        EXPECT_EQ(Tile(0, c.x, c.y), c.value) << c.x << "," << c.y;
}

TEST_F(TileCommands, TheEmptyAutotileAndBaseTilesAreNeverReshaped) {
    struct Case {
        std::int32_t tile, value;
    } const cases[] = {{0, 104444}, {8, 0}, {9, 1}};
    for (const Case& c : cases) {
        RunLine(242, {kLayer1, 2, 2, 3, 3, c.tile});
        EXPECT_EQ(Tile(0, 2, 2), c.value) << c.tile;
        EXPECT_EQ(Tile(0, 3, 3), c.value) << c.tile;
    }
}

// Outside the map counts as the same kind: the corner cell is full on its outer sides.
TEST_F(TileCommands, ARectanglePastTheEdgeIsClippedAndContinuesBeyondIt) {
    RunLine(242, {kLayer1, 18, 13, 5, 5, 3});
    EXPECT_EQ(Tile(0, 19, 14), 404444);
    EXPECT_EQ(Tile(0, 18, 13), 400214);
    EXPECT_EQ(Tile(0, 19, 13), 402244);
    EXPECT_EQ(Tile(0, 17, 13), 0);
    EXPECT_EQ(Tile(0, 18, 12), 0);
}

TEST_F(TileCommands, HugeOrNegativeSizesAndBadArgumentsAreSafe) {
    RunLine(242, {kLayer1, 19, 14, -kMax, -kMax, 3});
    for (auto args : std::vector<std::vector<std::int32_t>>{{0, 1, 1, 2, 2, 3},
                                                            {4, 1, 1, 2, 2, 3},
                                                            {kLayer1, -1, 1, 2, 2, 3},
                                                            {kLayer1, 20, 1, 2, 2, 3},
                                                            {kLayer1, 1, 15, 2, 2, 3},
                                                            {kLayer1, 1, 1, 2, 2, -1},
                                                            {kLayer1, 1, 1, 2, 2, 16}})
        RunLine(242, args);
    for (int x = 0; x < 20; ++x) {
        for (int y = 0; y < 15; ++y)
            ASSERT_EQ(Tile(0, x, y), 0) << x << "," << y;
    }
    V(1) = 3;
    V(2) = kMax;
    RunLine(242, {3, 1, 1, VarId(2), VarId(2), VarId(1)});
    EXPECT_EQ(Tile(2, 19, 14), 404444);
    EXPECT_EQ(Tile(2, 1, 1), 400214);
    EXPECT_EQ(Tile(2, 0, 0), 0);
    EXPECT_TRUE(reports.errors().empty());
}

TEST_F(TileCommands, TheAttributeRestoreUndoesEveryChange) {
    RunLine(240, {9, 0x0F});
    RunLine(240, {VarId(1), 0x10});
    EXPECT_EQ(TheMapState.attributes[9], 0x0F);
    EXPECT_EQ(TheMapState.attributes[0], 0x10);
    EXPECT_EQ(TheScreenState.tileAttributesChanged, 1);
    RunLine(240, {16, 0x0F});
    RunLine(240, {-1, 0x0F});
    EXPECT_EQ(TheMapState.attributes.size(), 16U);
    RunLine(240, {-1000000, 0});
    EXPECT_EQ(TheMapState.attributes, TheMapState.initialAttributes);
    EXPECT_EQ(TheMapState.attributes[9], 0);
}

TEST_F(TileCommands, AChangeOfTileSetBringsItsAttributesAndDrawPasses) {
    TileSetView view(TheMapState);
    RunLine(241, {2});
    RunLine(241, {-1});
    EXPECT_EQ(TheMapState.baseImageName, "MapChip\\small.png");
    EXPECT_EQ(TheScreenState.tileSetChanged, 0);

    RunLine(240, {9, 0x0F});
    RunLine(241, {1});
    EXPECT_EQ(TheMapState.baseImageName, "MapChip\\large.png");
    EXPECT_EQ(TheMapState.autotileImageNames[2], "MapChip\\water.png");
    EXPECT_EQ(TheMapState.attributes.size(), 32U);
    EXPECT_EQ(TheMapState.initialAttributes, TheMapState.attributes);
    EXPECT_EQ(TheMapState.tags.back(), 7);
    EXPECT_EQ(TheScreenState.tileSetChanged, 1);
    ASSERT_EQ(TheScreenState.tileAttributesChanged, 1);
    ClassifyTileAttributes(view, TheMapState);
    ASSERT_EQ(view.drawClasses.size(), 32U);
    EXPECT_EQ(view.drawClasses.back(), 2);
    EXPECT_EQ(view.drawClasses[9], 0);
}

}  // namespace
}  // namespace game
