// Pictures of the demo's maps drawn on the software back screen.
#include <gtest/gtest.h>

#include "game/core/exit_program.h"
#include "game/map/map_view.h"
#include "game/map/screen_tone.h"
#include "tests/game/core/report_capture.h"
#include "tests/game/map/map_screen_fixture.h"

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

TEST_F(MapDrawing, AutotilesAnimateEveryTwentyFrames) {
    Load(tools::DemoStartMap());
    MapView view;
    for (const int counter : {0, 20, 40}) {
        TheMapState.frameCounter = counter;
        DrawMap(view);
        EXPECT_TRUE(test::MatchesGolden(Screen(64, 64, 192, 128),
                                        "map/autotile-counter-" + std::to_string(counter)));
    }
}

TEST_F(MapDrawing, PassesOneAndTwoDrawOnlyTheirTiles) {
    Load(tools::DemoStartMap());
    MapView view;
    DrawTileLayer(view.tileView, TheMapState, 1, -1);
    for (int row = 0; row < 15; ++row)
        DrawTileLayer(view.tileView, TheMapState, 1, row);
    DrawTileLayer(view.tileView, TheMapState, 2);
    EXPECT_TRUE(test::MatchesGolden(Screen(), "map/passes-1-and-2"));
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
    TheMapState.shakeOffsetX = 6;
    TheMapState.shakeOffsetY = -4;
    MapView view;
    ViewAt(view, 0, 0);
    DrawMap(view);
    EXPECT_EQ(view.tileView.viewPixelX, -6);
    EXPECT_EQ(view.tileView.viewPixelY, 4);
    EXPECT_TRUE(test::MatchesGolden(Screen(), "map/shake-6-minus-4"));
}

TEST_F(MapDrawing, APanoramaScrolledBy1600And800WrapsAroundItsOwnArea) {
    TheMainInterpreter.PanoramaImage = -2;
    TheMainInterpreter.PanoramaFile = tools::kDemoPanoramaImage;
    TheMainInterpreter.PanoramaScrollX = 0;
    TheMainInterpreter.PanoramaScrollY = 0;
    Load(tools::DemoStartMap());
    PanoramaState panorama;
    DrawPanorama(panorama, TheMapState);
    panorama.scrollX = 1600;
    panorama.scrollY = 800;
    Clear();
    DrawPanorama(panorama, TheMapState);
    const tools::RgbaPicture sky = tools::DemoPanoramaPicture();
    auto skyAt = [&](int x, int y) {
        const std::uint8_t* p = &sky.pixels[static_cast<std::size_t>(y * sky.width + x) * 4];
        return static_cast<std::uint32_t>(p[0] << 16 | p[1] << 8 | p[2]);
    };
    EXPECT_EQ(BackPixel(205, 105), skyAt(5, 5));
    EXPECT_EQ(BackPixel(5, 5), skyAt(125, 145));
    EXPECT_EQ(BackPixel(205, 5), skyAt(5, 145));
    EXPECT_EQ(BackPixel(330, 5), 0u);
    EXPECT_TRUE(test::MatchesGolden(Screen(0, 0, 320, 240), "map/panorama-1600-800"));
}

TEST_F(MapDrawing, TheFogInEachBlendKind) {
    TheMainInterpreter.FogFile = tools::kDemoFogImage;
    TheMainInterpreter.FogOpacity = 160;
    Load(tools::DemoStartMap());
    test::RgbaImage strip{640, 120, std::vector<std::uint8_t>(640 * 120 * 4)};
    for (int kind = 0; kind < 4; ++kind) {
        TheMainInterpreter.FogImage = -2;
        TheMainInterpreter.FogBlend = kind;
        MapView view;
        Clear();
        DrawMap(view);
        const test::RgbaImage part = Screen(40, 40, 160, 120);
        for (int y = 0; y < 120; ++y)
            std::copy_n(part.pixels.begin() + y * 160 * 4, 160 * 4,
                        strip.pixels.begin() + (y * 640 + kind * 160) * 4);
    }
    EXPECT_TRUE(test::MatchesGolden(strip, "map/fog-blend-kinds"));
}

TEST_F(MapDrawing, NegativeAndPositiveTones) {
    Load(tools::DemoStartMap());
    struct Case {
        std::array<std::int16_t, 3> tone;
        const char* golden;
    } const cases[] = {{{-50, 0, 30}, "map/tone-minus-50-0-30"},
                       {{60, 40, 20}, "map/tone-60-40-20"}};
    for (const Case& c : cases) {
        TheMainInterpreter.ToneCurrent = c.tone;
        MapView view;
        Clear();
        ApplyScreenTone(TheMainInterpreter, false, false);
        DrawMap(view);
        ApplyScreenTone(TheMainInterpreter, true, false);
        ApplyScreenTone(TheMainInterpreter, false, true);
        layer::ChangeBlendMode(0, 255);
        EXPECT_TRUE(test::MatchesGolden(Screen(0, 0, 320, 240), c.golden));
    }
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

TEST_F(MapDrawing, ANegativeTileIsNamedInABoxAndEndsTheProgram) {
    MapData map = tools::DemoStartMap();
    map.tileLayers[1][3][2] = -5;
    Load(map);
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
    EXPECT_NE(ReportCapture::boxes()[0].text.find("(Layer2 X:3 Y:2)"), std::string::npos);
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
