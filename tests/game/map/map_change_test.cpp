#include "game/map/map_change.h"

#include <gtest/gtest.h>

#include <string>

#include "game/core/common_event.h"
#include "game/core/database.h"
#include "game/core/screen_state.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/map_state.h"
#include "tests/game/core/game_folder_scope.h"
#include "tests/game/core/report_capture.h"
#include "tools/lib/tile_set_writer.h"

namespace game {
namespace {

struct MapRow {
    std::string file;
    std::int32_t loop;
    std::int32_t panorama;
    std::string panoramaFile;
};

// System database type 0 with contents file, music, sound, loop, panorama, music file,
// sound file and panorama file setting.
void SetMapRows(const std::vector<MapRow>& rows) {
    SysDataBase = DataBase();
    SysDataBase.types.resize(1);
    DataBaseType& type = SysDataBase.types[0];
    type.contentCodes = {2000, 1000, 1001, 1002, 1003, 2001, 2002, 2003};
    type.records.clear();
    for (const MapRow& row : rows)
        type.records.push_back(
            {{-1, -1, row.loop, row.panorama}, {row.file, "", "", row.panoramaFile}});
}

class MapChangeTest : public testing::Test {
  protected:
    void SetUp() override {
        TileSet set = tools::MakeTileSet(4);
        set.imageNames[0] = "base.png";
        set.imageNames[3] = "auto2.png";
        set.attributes[9] = 0x10;
        folder_.Write("Data/BasicData/TileSetData.dat",
                      tools::WriteTileSetData({TileSet{}, set}, 0xD0, {0, 0, 0}));
        MapData map;
        map.header.tileSetNumber = 1;
        folder_.Write("Data/Map/a.mps", map.BuildMapImage({0, 0, 0}));
        ResetMapState(mapState_);
        TheScreenState.SceneNumber = 0;
        TheMainInterpreter.PanoramaImage = 5;
    }
    void TearDown() override {
        SysDataBase = DataBase();
        CommonEvents = CommonEventList();
    }

    GameFolderScope folder_;
    MapState mapState_;
};

TEST_F(MapChangeTest, TakesTheTileSetOfTheMapAndResetsTheView) {
    SetMapRows({{"Map\\a.mps", 0, -1, ""}});
    mapState_.scrollX = 400;
    mapState_.scrollLeftX = 30;
    ASSERT_TRUE(ChangeMap(mapState_, 0));
    EXPECT_EQ(mapState_.mapNumber, 0);
    EXPECT_EQ(mapState_.baseImageName, "base.png");
    EXPECT_EQ(mapState_.autotileImageNames[2], "auto2.png");
    EXPECT_EQ(mapState_.attributes[9], 0x10);
    EXPECT_EQ(mapState_.initialAttributes, mapState_.attributes);
    EXPECT_EQ(mapState_.tags.size(), 12u);
    EXPECT_EQ(mapState_.scrollX, 0);
    EXPECT_EQ(mapState_.scrollLeftX, 0);
    EXPECT_EQ(TheMainInterpreter.PanoramaImage, -1);
}

TEST_F(MapChangeTest, LoopKinds) {
    const struct {
        std::int32_t loop;
        bool x, y;
    } cases[] = {
        {0, false, false}, {1, true, false}, {2, false, true}, {3, true, true}, {4, false, false}};
    for (const auto& c : cases) {
        SetMapRows({{"Map\\a.mps", c.loop, -1, ""}});
        ASSERT_TRUE(ChangeMap(mapState_, 0));
        EXPECT_EQ(mapState_.loopsHorizontally != 0, c.x) << c.loop;
        EXPECT_EQ(mapState_.loopsVertically != 0, c.y) << c.loop;
    }
}

TEST_F(MapChangeTest, PanoramaByFileSetting) {
    for (const std::string& setting : {std::string("x"), std::string("Fog\\sky.png\n16")}) {
        SetMapRows({{"Map\\a.mps", 0, -3, setting}});
        TheScreenState.panoramaChanged = 0;
        TheMainInterpreter.PanoramaImage = 5;
        ASSERT_TRUE(ChangeMap(mapState_, 0));
        const bool usable = setting.size() > 1;
        EXPECT_EQ(TheScreenState.panoramaChanged, usable ? 1 : 0);
        EXPECT_EQ(TheMainInterpreter.PanoramaImage, usable ? 5 : -1);
        EXPECT_EQ(TheMainInterpreter.PanoramaFile, setting);
    }
}

TEST_F(MapChangeTest, ParallelCommonEventsAreKeptAcrossMapChanges) {
    SetMapRows({{"Map\\a.mps", 0, -1, ""}});
    CommonEvents.events[1].trigger = 0x02;
    CommonEvents.events[4].trigger = 0x13;
    CommonEvents.events[5].trigger = 0x01;
    ASSERT_TRUE(ChangeMap(mapState_, 0));
    ASSERT_EQ(mapState_.parallelCommonEvents.size(), 2u);
    EXPECT_EQ(mapState_.parallelCommonEvents[1].commonEventIndex(), 4);
    CommonEvents.events[6].trigger = 0x02;
    ASSERT_TRUE(ChangeMap(mapState_, 0));
    EXPECT_EQ(mapState_.parallelCommonEvents.size(), 2u);
    ResetMapState(mapState_);
    EXPECT_TRUE(mapState_.parallelCommonEvents.empty());
    ASSERT_TRUE(ChangeMap(mapState_, 0));
    EXPECT_EQ(mapState_.parallelCommonEvents.size(), 3u);
}

TEST_F(MapChangeTest, AMissingMapEndsTheSceneLoop) {
    SetMapRows({{"Map\\gone.mps", 0, -1, ""}});
    ReportCapture capture;
    EXPECT_FALSE(ChangeMap(mapState_, 0));
    EXPECT_EQ(TheScreenState.SceneNumber, -1);
    EXPECT_EQ(ReportCapture::boxes().size(), 1u);
}

TEST(FrameCounter, WrapsAfterItsLastValue) {
    MapState mapState;
    mapState.frameCounter = 2399998;
    AdvanceFrameCounter(mapState);
    EXPECT_EQ(mapState.frameCounter, 2399999);
    AdvanceFrameCounter(mapState);
    EXPECT_EQ(mapState.frameCounter, 0);
}

}  // namespace
}  // namespace game
