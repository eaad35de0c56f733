// The frozen map view: the screen of the moment stands in for the map until it is unfrozen.
#include <gtest/gtest.h>

#include "game/core/screen_state.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/flow_commands.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/map_view.h"
#include "game/program/screen_effects.h"
#include "tests/game/map/map_screen_fixture.h"

namespace game {
namespace {

class MapViewFreeze : public MapScreen {
  protected:
    void SetUp() override {
        MapScreen::SetUp();
        RecreateOffscreenScreens(TheScreenState);
        TheMainInterpreter.LiveMapView = 1;
    }
    void TearDown() override {
        TheScreenState = ScreenState(ScreenState::Screens::kLater);
        TheMainInterpreter.LiveMapView = 1;
        MapScreen::TearDown();
    }
};

TEST_F(MapViewFreeze, AFrozenViewKeepsTheLastFrameWhileTheMapMovesOn) {
    Load(tools::DemoStartMap());
    MapView view;
    ViewAt(view, 0, 0);
    DrawMap(view);
    const test::RgbaImage last = Screen();
    EventInterpreter interpreter;
    EXPECT_EQ(FreezeMapView(interpreter), 1);
    EXPECT_EQ(TheMainInterpreter.LiveMapView, 0);
    // The next frame: the map has scrolled, but the draw pass shows the frozen capture.
    ViewAt(view, 40, 70);
    Clear();
    DrawMap(view);
    const test::RgbaImage moved = Screen();
    ASSERT_NE(moved.pixels, last.pixels);
    Clear();
    DrawFrozenScreen(TheScreenState);
    EXPECT_EQ(Screen().pixels, last.pixels);
    EXPECT_EQ(UnfreezeMapView(interpreter), 1);
    EXPECT_EQ(TheMainInterpreter.LiveMapView, 1);
}

}  // namespace
}  // namespace game
