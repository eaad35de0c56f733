#include "game/map/tile_queries.h"

#include <gtest/gtest.h>

#include "game/core/game_info.h"
#include "tests/game/map/map_state_fixture.h"

namespace game {
namespace {

constexpr std::int32_t kEmpty = MapData::kEmptyTile;

// Base tile 0 everywhere on layer 0, layers 1 and 2 empty.
MapState GroundMap(int width = 10, int height = 10) {
    MapState mapState = MakeLoadedMap(width, height, kEmpty);
    for (auto& column : mapState.mapData.tileLayers[0]) {
        for (auto& tile : column)
            tile = 0;
    }
    return mapState;
}

class WholeTileSteps {
  public:
    WholeTileSteps() : saved_(TheGameInfo.gameFlags) {
        TheGameInfo.gameFlags.resize(18);
        TheGameInfo.gameFlags[8] = 1;
    }
    ~WholeTileSteps() { TheGameInfo.gameFlags = saved_; }

  private:
    std::vector<std::int8_t> saved_;
};

TEST(TileQueries, IndicesOfTileValuesAndWrapping) {
    MapState mapState = GroundMap();
    auto& layer = mapState.mapData.tileLayers[1];
    layer[9][0] = 5;
    layer[0][0] = kEmpty;
    layer[1][0] = 3 * kEmpty + 4321;
    layer[2][0] = -4;
    EXPECT_EQ(GetTileIndexAt(mapState, -1, 0, 1), 13);  // column 9 though the map does not loop
    EXPECT_EQ(GetTileIndexAt(mapState, 19, 0, 1), 13);
    EXPECT_EQ(GetTileIndexAt(mapState, 0, 0, 1), 0);
    EXPECT_EQ(GetTileIndexAt(mapState, 2, -20, 1), 2);
    EXPECT_EQ(GetTileIndexAt(mapState, 4, 0, 1), -1);
    EXPECT_EQ(GetTileIndexAt(mapState, 0, 0, 3), -1);
}

TEST(TileQueries, InsideTheMapLeavesRoomForTheSecondColumn) {
    MapState mapState = GroundMap();
    struct Case {
        int x, y;
        bool inside;
    } const cases[] = {{18, 0, true},  {19, 0, false}, {0, 19, true},
                       {0, 20, false}, {-1, 0, false}, {0, -1, false}};
    for (const Case& c : cases)
        EXPECT_EQ(IsInsideMap(mapState, c.x, c.y), c.inside) << c.x << "," << c.y;
    mapState.loopsHorizontally = 1;
    EXPECT_TRUE(IsInsideMap(mapState, -7, 0));
    EXPECT_FALSE(IsInsideMap(mapState, -7, 20));
}

TEST(TileQueries, PassabilityOfOneTileInEveryDirection) {
    struct Case {
        const char* what;
        std::int32_t attribute;
        int x, y, direction, stepSize;
        bool passes;
    } const cases[] = {
        {"0x0F blocks down", 0x0F, 4, 3, 2, 1, false},
        {"0x0F blocks without a direction", 0x0F, 4, 3, 0, -1, false},
        {"0x2F blocks every quarter", 0x2F, 5, 4, 0, 1, false},
        {"0x21 leaves the upper quarters", 0x21, 4, 3, 2, 1, true},
        {"0x21 blocks the lower right foot", 0x21, 4, 4, 0, 1, false},
        {"0x21 blocks whole-tile steppers", 0x21, 4, 3, 0, 2, false},
        {"0x01 blocks down from an even row", 0x01, 4, 2, 2, 1, false},
        {"0x01 lets down pass from an odd row", 0x01, 4, 3, 2, 1, true},
        {"0x08 blocks up from an odd row", 0x08, 4, 3, 8, 1, false},
        {"0x04 blocks right from an odd column", 0x04, 5, 2, 6, 1, false},
        {"0x00 passes", 0x00, 4, 2, 6, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MapState mapState = GroundMap();
        mapState.attributes[8] = c.attribute;
        EXPECT_EQ(CanPassTile(mapState, c.x, c.y, c.direction, c.stepSize), c.passes);
    }
}

TEST(TileQueries, WholeTileStepsBlockByDirectionBitsAlone) {
    WholeTileSteps steps;
    MapState mapState = GroundMap();
    mapState.attributes[8] = 0x01;
    EXPECT_FALSE(CanPassTile(mapState, 4, 3, 2, 2));
    EXPECT_TRUE(CanPassTile(mapState, 4, 3, 8, 2));
}

TEST(TileQueries, UpperTilesSeeThroughOnlyWithTheirLayerBits) {
    for (const std::int32_t upper : {0x10, 0x100, 0x00}) {
        MapState mapState = GroundMap();
        mapState.mapData.tileLayers[2][2][2] = 1;
        mapState.attributes[8] = 0x0F;
        mapState.attributes[9] = upper;
        EXPECT_EQ(CanPassTile(mapState, 4, 3, 2, 1), upper == 0x00) << upper;
    }
}

TEST(TileQueries, TagsComeFromTheHighestLayerWithOne) {
    MapState mapState = GroundMap();
    mapState.tags = {0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 3, 9};
    EXPECT_EQ(GetTileTagAt(mapState, 0, 0), 0);
    mapState.mapData.tileLayers[2][0][0] = 1;  // tag 7 under the left foot on layer 2
    EXPECT_EQ(GetTileTagAt(mapState, 0, 0), 7);
    mapState.mapData.tileLayers[2][0][0] = 0;  // tag 0 on layer 2
    mapState.mapData.tileLayers[1][0][0] = 2;
    mapState.mapData.tileLayers[1][1][0] = 3;
    EXPECT_EQ(GetTileTagAt(mapState, 1, 0), 9);
    mapState.mapNumber = -1;
    EXPECT_EQ(GetTileTagAt(mapState, 1, 0), 0);
}

TEST(TileQueries, CountersAroundAPosition) {
    MapState mapState = GroundMap();
    mapState.mapData.tileLayers[0][3][3] = 1;
    mapState.attributes[9] = 0x80;
    EXPECT_TRUE(HasCounterAt(mapState, 5, 5));
    EXPECT_TRUE(HasCounterAt(mapState, 7, 5));
    EXPECT_FALSE(HasCounterAt(mapState, 9, 5));
    WholeTileSteps steps;
    EXPECT_FALSE(HasCounterAt(mapState, 5, 5));
    EXPECT_TRUE(HasCounterAt(mapState, 6, 6));
}

TEST(TileQueries, QuarterFreedom) {
    MapState mapState = GroundMap();
    mapState.attributes[8] = 0x24;  // upper right quarters blocked
    EXPECT_FALSE(IsQuarterFree(mapState, 1, 0));
    EXPECT_TRUE(IsQuarterFree(mapState, 0, 0));
    EXPECT_FALSE(IsQuarterFree(mapState, -1, 0));
}

}  // namespace
}  // namespace game
