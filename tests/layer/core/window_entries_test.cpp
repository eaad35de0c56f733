#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <thread>

#include "layer/core/layer_api.h"
#include "layer/core/window_state.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/graph_record.h"
#include "layer/graphics/graphics_services.h"
#include "platform/message_queue.h"
#include "platform/presenter.h"
#include "platform/sdl_main_window.h"
#include "tests/layer/core/layer_fixture.h"
#include "tests/layer/graphics/graphics_fixture.h"
#include "tests/support/auto_confirm_scope.h"
#include "tests/support/input_events.h"
#include "tests/support/sjis.h"

namespace {

using test::Sjis;

class WindowEntries : public test::LayerTest {};

TEST_F(WindowEntries, MouseIsPlacedWithinTheScreenInFullScreen) {
    layer::window_state.window_mode = 0;
    ASSERT_EQ(layer::InitializeLayer(), 0);
    EXPECT_EQ(layer::SetMousePosition(-5, 10000), 0);
    int x = -1;
    int y = -1;
    SDL_GetMouseState(&x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 480);
    EXPECT_EQ(layer::GetMousePosition(&x, &y), 0);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 480);
}

TEST_F(WindowEntries, MousePositionIsScaledBackInWindowMode) {
    layer::SetWindowScale(2.0);
    ASSERT_EQ(layer::InitializeLayer(), 0);
    SDL_WarpMouseInWindow(platform::CurrentSdlWindow(), 101, 61);
    int x = 0;
    int y = 0;
    EXPECT_EQ(layer::GetMousePosition(&x, &y), 0);
    EXPECT_EQ(x, 50);
    EXPECT_EQ(y, 30);
}

TEST_F(WindowEntries, KeyWaitWantsAHeldKeyReleasedAndANewPress) {
    ASSERT_EQ(layer::InitializeLayer(), 0);
    const test::AutoConfirmScope keys(false);
    test::PushKey(SDL_SCANCODE_Z, true);
    // The key is let go and Enter pressed while the wait runs; the pause gives the wait time
    // to see the keyboard empty.
    std::thread player([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        test::PushKey(SDL_SCANCODE_Z, false);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        test::PushKey(SDL_SCANCODE_RETURN, true);
    });
    EXPECT_EQ(layer::WaitForAnyKey(), 0x1C);
    player.join();
    test::PushKey(SDL_SCANCODE_RETURN, false);
}

TEST_F(WindowEntries, ConfirmedKeyWaitAnswersEnter) {
    const test::AutoConfirmScope confirmed(true);
    EXPECT_EQ(layer::WaitForAnyKey(), 28);
}

TEST_F(WindowEntries, KeyWaitEndsWithTheWindow) {
    ASSERT_EQ(layer::InitializeLayer(), 0);
    const test::AutoConfirmScope keys(false);
    platform::Message close;
    close.kind = platform::MessageKind::kClose;
    platform::PostWindowMessage(close);
    EXPECT_EQ(layer::WaitForAnyKey(), 0);
}

TEST_F(WindowEntries, WheelNotchesAreTakenOnce) {
    layer::window_state.wheel_count = -3;
    EXPECT_EQ(layer::TakeMouseWheelDelta(), -3);
    EXPECT_EQ(layer::TakeMouseWheelDelta(), 0);
}

TEST_F(WindowEntries, LongCaptionIsCutBeforeASplitCharacter) {
    const std::string caption = std::string(254, 'a') + Sjis(u8"表") + "b";
    EXPECT_EQ(layer::SetWindowCaption(caption.c_str()), 0);
    EXPECT_EQ(layer::window_state.window_text, std::string(254, 'a'));
    ASSERT_EQ(layer::InitializeLayer(), 0);
    layer::SetWindowCaption(Sjis(u8"表示").c_str());
    EXPECT_STREQ(SDL_GetWindowTitle(platform::CurrentSdlWindow()), "表示");
}

TEST_F(WindowEntries, FlaggedGraphLoadsCarryModeWordOne) {
    ASSERT_EQ(layer::InitializeLayer(), 0);
    tree.write("a.bmp", test::Bmp24(4, 4, [](int, int) { return 0xFFFFFFu; }));
    layer::SetNewGraphModeWord(7);
    const int graph = layer::LoadGraphFileFlagged("a.bmp");
    ASSERT_GE(graph, 0);
    EXPECT_EQ(layer::GetGraphRecord(graph)->Mode, 1);
    EXPECT_EQ(layer::GetNewGraphModeWord(), 7);
}

TEST_F(WindowEntries, RefusingDirectDrawTurnsTheHardwareOff) {
    layer::SetTextureDrawing(1);
    layer::SetGraphsInVideoMemory(1);
    ASSERT_EQ(layer::draw_settings.new_graph.system_memory, 0);
    EXPECT_EQ(layer::AllowDirectDraw(0), 0);
    EXPECT_EQ(layer::IsDirectDrawMode(), 0);
    EXPECT_EQ(layer::IsSoftwareDrawMode(), 1);
    EXPECT_EQ(layer::draw_settings.new_graph.texture_drawing, 0);
    EXPECT_EQ(layer::draw_settings.new_graph.system_memory, 1);

    EXPECT_EQ(layer::AllowDirectDraw(1), 0);
    EXPECT_EQ(layer::IsDirectDrawMode(), 1);
    EXPECT_EQ(layer::IsSoftwareDrawMode(), 1);
    EXPECT_EQ(layer::draw_settings.new_graph.texture_drawing, 0);
}

// A black blend picture with the border parameter at its top hides the whole draw; the next
// plain draw of the same graph shows.
TEST_F(WindowEntries, BlendGraphIsInForceForOneDraw) {
    ASSERT_EQ(layer::InitializeLayer(), 0);
    tree.write("white.bmp", test::Bmp24(8, 8, [](int, int) { return 0xFFFFFFu; }));
    tree.write("black.bmp", test::Bmp24(8, 8, [](int, int) { return 0u; }));
    const int white = layer::OpenGraphFile("white.bmp", 1, 0, 0);
    const int blend = layer::LoadGraphFileFlagged("black.bmp");
    ASSERT_GE(white, 0);
    ASSERT_GE(blend, 0);
    layer::ChangeDrawTarget(layer::kDrawTargetBack);
    auto pixel_after_show = [](int x, int y) {
        layer::ShowFrame();
        std::uint32_t pixel = 0;
        EXPECT_EQ(platform::ReadRetainedFrame({x, y, x + 1, y + 1}, &pixel, 4), 0);
        return pixel & 0xFFFFFF;
    };

    EXPECT_EQ(layer::DrawBlendGraph(10, 20, white, 0, blend, 255, 0), 0);
    EXPECT_EQ(pixel_after_show(13, 23), 0u);
    int graph = 0;
    int parameter1 = 0;
    int parameter2 = 0;
    layer::GetBlendImage(&graph, &parameter1, &parameter2);
    EXPECT_EQ(graph, -1);
    EXPECT_EQ(layer::PaintGraph(10, 20, white, 0), 0);
    EXPECT_EQ(pixel_after_show(13, 23), 0xFFFFFFu);
}

}  // namespace
