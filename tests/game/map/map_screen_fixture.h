#pragma once

// A back screen (the software one, or another route's given as `Screens`) with the demo's tile
// pictures in a game folder, and a demo map loaded as the current map: what the map drawing puts
// on the screen is read back.

#include <gtest/gtest.h>

#include "game/core/display_scale.h"
#include "game/core/play_settings.h"
#include "game/core/screen_state.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/image_cache.h"
#include "game/map/map_change.h"
#include "game/map/map_state.h"
#include "game/map/map_view.h"
#include "tests/game/core/game_folder_scope.h"
#include "tests/layer/graphics/software_screen_fixture.h"
#include "tools/lib/demo_map.h"

namespace game {

// Makes the map the current one with the demo's tile set, and a map view for it.
inline void Load(const MapData& map, bool loops = false) {
    MapState& mapState = TheMapState;
    mapState = MapState();
    mapState.mapNumber = 0;
    mapState.mapData = map;
    mapState.tileSetList.sets = {tools::DemoTileSet()};
    TakeTileSet(mapState, 0);
    mapState.loopsHorizontally = loops;
    mapState.loopsVertically = loops;
}

// The view at pixel (x, y), as the frame's draw pass sets it.
inline void ViewAt(MapView& view, int x, int y) {
    TheMapState.scrollX = 4 * x;
    TheMapState.scrollY = 4 * y;
    view.tileView.viewPixelX = x;
    view.tileView.viewPixelY = y;
}

// A rectangle of the back screen as a picture, on any route.
inline test::RgbaImage ScreenPicture(int x0 = 0, int y0 = 0, int width = 640, int height = 480) {
    const test::RgbaImage whole = test::BackScreenPicture(x0 + width, y0 + height);
    test::RgbaImage picture{width, height, {}};
    for (int y = y0; y < y0 + height; ++y) {
        const auto row = whole.pixels.begin() + (y * whole.width + x0) * 4;
        picture.pixels.insert(picture.pixels.end(), row, row + width * 4);
    }
    return picture;
}

template <class Screens>
class MapScreenOn : public Screens {
  protected:
    void SetUp() override {
        Screens::SetUp();
        for (const tools::DemoFile& file : tools::DemoMapFiles())
            folder_.Write(file.path, file.bytes);
        TileSize = 32;
        ZoomFactor = 1;
        FramesPerUpdate = 1;
        TheMainInterpreter.PanoramaImage = -1;
        TheMainInterpreter.FogImage = -1;
        TheMainInterpreter.ToneCurrent = {0, 0, 0};
        TheScreenState.panoramaChanged = 0;
        TheScreenState.fogChanged = 0;
    }
    void TearDown() override {
        TheImageCache.ReleaseAllGraphics();
        TheMapState = MapState();
        layer::ChangeBlendMode(0, 255);
        layer::ChangeBrightRgb(255, 255, 255);
        Screens::TearDown();
    }

    static test::RgbaImage Screen(int x0 = 0, int y0 = 0, int width = 640, int height = 480) {
        return ScreenPicture(x0, y0, width, height);
    }

    static void Clear() { layer::WipeDrawTarget(); }

    GameFolderScope folder_;
};

using MapScreen = MapScreenOn<test::SoftwareScreens>;

}  // namespace game
