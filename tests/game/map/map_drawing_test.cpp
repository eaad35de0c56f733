// Pictures of the demo's maps drawn on the software back screen.
#include <gtest/gtest.h>

#include "game/core/exit_program.h"
#include "game/map/map_view.h"
#include "game/map/screen_tone.h"
#include "tests/game/core/report_capture.h"
#include "tests/game/map/map_scenes.h"

namespace game {
namespace {

class MapDrawing : public MapScreen {};

TEST_F(MapDrawing, TheViewAtFortySeventyShiftsEveryTileByItsRemainder) {
    Load(tools::DemoStartMap());
    MapView view;
    ViewAt(view, 40, 70);
    DrawMap(view);
    // Tile column 1 + c starts at 32c - 8 and tile row 2 + r at 32r - 6: the wall of row 0
    // is gone, the grass of (1, 2) fills the corner.
    EXPECT_EQ(BackPixel(3, 3), BackPixel(20, 20));
    EXPECT_TRUE(test::MatchesGolden(Screen(), "map/view-40-70"));
}

TEST_F(MapDrawing, ALoopingMapShowsItsLastColumnLeftOfTheFirst) {
    Load(tools::DemoLoopMap(), true);
    MapView view;
    ViewAt(view, -16, -16);
    DrawMap(view);
    EXPECT_EQ(BackPixel(8, 100), BackPixel(9 * 32 + 16 + 8, 100));
    EXPECT_TRUE(test::MatchesGolden(Screen(), "map/loop-column-minus-one"));
}

TEST_F(MapDrawing, AShakeMovesTheWholeMapAndLeavesTheShakenView) {
    Load(tools::DemoStartMap());
    MapView view;
    DrawShakenMap(view);
    EXPECT_EQ(view.tileView.viewPixelX, -6);
    EXPECT_EQ(view.tileView.viewPixelY, 4);
}

TEST_F(MapDrawing, APanoramaScrolledBy1600And800WrapsAroundItsOwnArea) {
    Load(tools::DemoStartMap());
    DrawPanoramaScrolledFar();
    const tools::RgbaPicture sky = tools::DemoPanoramaPicture();
    auto skyAt = [&](int x, int y) {
        const std::uint8_t* p = &sky.pixels[static_cast<std::size_t>(y * sky.width + x) * 4];
        return static_cast<std::uint32_t>(p[0] << 16 | p[1] << 8 | p[2]);
    };
    EXPECT_EQ(BackPixel(205, 105), skyAt(5, 5));
    EXPECT_EQ(BackPixel(5, 5), skyAt(125, 145));
    EXPECT_EQ(BackPixel(205, 5), skyAt(5, 145));
    EXPECT_EQ(BackPixel(330, 5), 0u);
}

TEST(ScreenTone, TheModulationTakesOnlyTheChannelsAtOrBelowZero) {
    struct Case {
        std::array<std::int16_t, 3> tone;
        std::array<int, 3> bright;
    } const cases[] = {
        {{-50, 0, 30}, {205, 255, 255}}, {{10, 20, 30}, {1, 2, 3}}, {{-255, 5, -1}, {0, 255, 254}}};
    for (const Case& c : cases) {
        TheMainInterpreter.ToneCurrent = c.tone;
        std::array<int, 3> bright{1, 2, 3};
        ApplyScreenTone(TheMainInterpreter, false, false, &bright);
        EXPECT_EQ(bright, c.bright);
    }
    TheMainInterpreter.ToneCurrent = {0, 0, 0};
}

struct ProgramExit {
    int code;
};

void ThrowOnExit(int code) {
    throw ProgramExit{code};
}

// The box names the tile and, on a line of its own, the map's file.
TEST_F(MapDrawing, ANegativeTileIsNamedInABoxAndEndsTheProgram) {
    MapData map = tools::DemoStartMap();
    map.tileLayers[1][3][2] = -5;
    MapData read;
    ASSERT_TRUE(read.ReadMapImage(map.BuildMapImage(ScrambleSeeds{}), "MapData\\Start.mps"));
    Load(read);
    MapView view;
    ReportCapture reports;
    const ExitHandler previous = SetExitHandler(&ThrowOnExit);
    try {
        DrawTileLayer(view.tileView, TheMapState, 0);
        ADD_FAILURE() << "the drawing went on";
    } catch (const ProgramExit& exit) {
        EXPECT_EQ(exit.code, 1);
    }
    SetExitHandler(previous);
    ASSERT_EQ(ReportCapture::boxes().size(), 1u);
    EXPECT_NE(ReportCapture::boxes()[0].text.find("=>-5 "), std::string::npos);
    EXPECT_NE(ReportCapture::boxes()[0].text.find("(Layer2 X:3 Y:2)\r\nData\\MapData\\Start.mps"),
              std::string::npos);
    EXPECT_EQ(ReportCapture::boxes()[0].caption, "Error!");
}

TEST_F(MapDrawing, TileValuesBeyondTheImagesAndTheSetAreSkipped) {
    MapData map = tools::DemoStartMap();
    for (const std::int32_t value : {900000, 950000, 800000, 99999, 100000}) {
        map.tileLayers[0][1][1] = value;
        Load(map);
        MapView view;
        Clear();
        DrawTileLayer(view.tileView, TheMapState, 0);
        EXPECT_EQ(BackPixel(40, 40), 0u) << value;
    }
}

}  // namespace
}  // namespace game
