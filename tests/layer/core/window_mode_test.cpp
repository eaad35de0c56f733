#include "layer/core/window_mode.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>

#include "layer/core/layer_api.h"
#include "layer/core/time_routines.h"
#include "layer/core/window_routines.h"
#include "layer/core/window_state.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/graphics_services.h"
#include "platform/clock.h"
#include "platform/display_hooks.h"
#include "platform/sdl_main_window.h"
#include "tests/layer/core/fake_services.h"
#include "tests/layer/core/layer_fixture.h"
#include "tests/support/sjis.h"

namespace {

using test::Sjis;

class WindowMode : public test::LayerTest {
  protected:
    // The client area as the layer keeps it and as the window system shows it (window mode).
    static void ExpectClient(int x, int y, int width, int height) {
        const layer::Rect& client = layer::window_state.client_rect;
        EXPECT_EQ(client.left, x);
        EXPECT_EQ(client.top, y);
        EXPECT_EQ(client.right - client.left, width);
        EXPECT_EQ(client.bottom - client.top, height);
        int sdl_width = 0;
        int sdl_height = 0;
        SDL_GetWindowSize(platform::CurrentSdlWindow(), &sdl_width, &sdl_height);
        EXPECT_EQ(sdl_width, width);
        EXPECT_EQ(sdl_height, height);
    }
};

// A mode change rebuilds the screens and so drops every graph; the same mode keeps them.
TEST_F(WindowMode, SameModeOnlyLogs) {
    ASSERT_EQ(layer::InitializeLayer(), 0);
    const int graph = layer::CreateBlankGraph(8, 8, 0);
    ASSERT_GE(graph, 0);
    test::FakeCalls().clear();
    EXPECT_EQ(layer::RequestWindowMode(1), 0);
    EXPECT_TRUE(test::FakeCalls().empty());
    EXPECT_EQ(layer::IsGraphHandleLive(graph), 1);
    EXPECT_NE(ReadLog().find("ChangeWindowMode\x8e\xc0\x8d\x73 \r\n"), std::string::npos);
}

TEST_F(WindowMode, NonPositiveScaleCountsAsOne) {
    EXPECT_EQ(layer::SetWindowScale(-2.0), 0);
    EXPECT_EQ(layer::window_state.window_scale, 1.0);
    EXPECT_EQ(layer::GetWindowScale(), 1.0);
}

TEST_F(WindowMode, WindowIsCentredOnTheDesktop) {
    ASSERT_EQ(layer::InitializeLayer(), 0);
    ExpectClient(192, 144, 640, 480);
}

TEST_F(WindowMode, ClientLargerThanTheDesktopStartsAtItsCorner) {
    ASSERT_EQ(layer::InitializeLayer(), 0);
    EXPECT_EQ(layer::SetWindowScale(2.0), 0);
    ExpectClient(0, 0, 1280, 960);
    EXPECT_EQ(layer::GetWindowScale(), 2.0);
}

TEST_F(WindowMode, ScaleSetInFullScreenAppliesInWindowMode) {
    layer::window_state.window_mode = 0;
    ASSERT_EQ(layer::InitializeLayer(), 0);
    EXPECT_EQ(layer::SetWindowScale(1.5), 0);
    EXPECT_EQ(layer::GetWindowScale(), 1.0);
    EXPECT_EQ(layer::window_state.client_rect.right, 640);
    EXPECT_EQ(layer::window_state.client_rect.bottom, 480);

    EXPECT_EQ(layer::RequestWindowMode(1), 0);
    EXPECT_EQ(layer::GetWindowScale(), 1.5);
    EXPECT_EQ(SDL_GetWindowFlags(platform::CurrentSdlWindow()) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);
    ExpectClient(32, 24, 960, 720);
    EXPECT_EQ(layer::IsMouseCursorShown(), 1);
}

TEST_F(WindowMode, SwitchToFullScreenHidesTheCursorAndWaitsForTheDisplay) {
    ASSERT_EQ(layer::InitializeLayer(), 0);
    EXPECT_EQ(layer::RequestWindowMode(0), 0);
    EXPECT_EQ(layer::window_state.window_mode, 0);
    EXPECT_NE(SDL_GetWindowFlags(platform::CurrentSdlWindow()) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);
    EXPECT_EQ(layer::IsMouseCursorShown(), 0);
    EXPECT_EQ(layer::window_state.switching, 0);
    EXPECT_EQ(layer::window_state.display_changed, 1);
    EXPECT_NE(ReadLog().find(Sjis(u8"ウインドウモードフラグが倒されました\r\n")),
              std::string::npos);
}

// Back from full screen the display mode is put back, which brings the notice; here putting it
// back fails quietly.
TEST_F(WindowMode, SwitchWithoutDisplayNoticeStopsWaitingAfterTwoSeconds) {
    layer::window_state.window_mode = 0;
    ASSERT_EQ(layer::InitializeLayer(), 0);
    // Past the settling time the start's full-screen mode change asks for.
    platform::SleepMilliseconds(2100);
    platform::FailNextDisplayOperation(platform::DisplayOperation::kChangeDisplaySettings);
    clock.Pause();
    const int start = layer::ReadMillisecondClock();
    EXPECT_EQ(layer::RequestWindowMode(1), 0);
    const int waited = layer::ReadMillisecondClock() - start;
    EXPECT_GE(waited, 2000);
    EXPECT_LT(waited, 2500);
    EXPECT_EQ(layer::window_state.display_changed, 0);
}

TEST_F(WindowMode, ModeChosenBeforeStartIsOnlyStored) {
    layer::window_state.window_mode = 0;
    EXPECT_EQ(layer::RequestWindowMode(1), 0);
    EXPECT_EQ(layer::window_state.window_mode, 1);
    EXPECT_EQ(layer::window_state.shown_once, 1);
    EXPECT_TRUE(test::FakeCalls().empty());
    EXPECT_EQ(layer::IsGraphicsStarted(), 0);
    EXPECT_EQ(platform::CurrentSdlWindow(), nullptr);
}

// A client area moved partly off the desktop limits the front screen's draw area; the area
// asked for is kept for later moves.
TEST_F(WindowMode, MoveTracksTheClientAreaAndReappliesTheDrawArea) {
    ASSERT_EQ(layer::InitializeLayer(), 0);
    ASSERT_EQ(layer::GetDrawTarget(), layer::kDrawTargetFront);
    layer::SetDrawClipRect(10, 20, 300, 200);
    int desktop_width = 0;
    int desktop_height = 0;
    layer::GetDesktopMode(&desktop_width, &desktop_height, nullptr);
    const int x = desktop_width - 100;
    const int y = desktop_height - 50;
    layer::TrackClientAreaMove(x, y);
    EXPECT_EQ(layer::window_state.client_rect.left, x);
    EXPECT_EQ(layer::window_state.client_rect.bottom, y + 480);
    EXPECT_EQ(layer::draw_settings.screen_offset.left, x);
    EXPECT_EQ(layer::draw_settings.screen_offset.top, y);
    layer::Rect area;
    layer::GetDrawClipRect(&area);
    EXPECT_EQ(area.left, 10);
    EXPECT_EQ(area.top, 20);
    EXPECT_EQ(area.right, 100);
    EXPECT_EQ(area.bottom, 50);
    EXPECT_EQ(layer::core_settings.requested_draw_area.right, 300);

    layer::TrackClientAreaMove(0, 0);
    layer::GetDrawClipRect(&area);
    EXPECT_EQ(area.right, 300);
    EXPECT_EQ(area.bottom, 200);
}

}  // namespace
