#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "layer/core/layer_api.h"
#include "layer/core/window_state.h"
#include "platform/message_queue.h"
#include "platform/sdl_main_window.h"
#include "tests/layer/core/fake_services.h"
#include "tests/layer/core/layer_fixture.h"
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
    test::Graphics().mode_word = 7;
    EXPECT_EQ(layer::LoadGraphFileFlagged("a.png"), 101);
    EXPECT_EQ(test::FakeCalls(), (std::vector<std::string>{"OpenGraphFile(mode 1)"}));
    EXPECT_EQ(test::Graphics().mode_word, 7);
}

TEST_F(WindowEntries, RefusingDirectDrawTurnsTheHardwareOff) {
    EXPECT_EQ(layer::AllowDirectDraw(0), 0);
    EXPECT_EQ(test::FakeCalls(),
              (std::vector<std::string>{"SetDirectDrawLess(1)", "SetSoftwareRendering(0)",
                                        "SetTextureDrawing(0)", "SetGraphsInVideoMemory(0)"}));
    test::FakeCalls().clear();
    EXPECT_EQ(layer::AllowDirectDraw(1), 0);
    EXPECT_EQ(test::FakeCalls(), (std::vector<std::string>{"SetDirectDrawLess(0)"}));
}

TEST_F(WindowEntries, BlendGraphIsInForceForOneDraw) {
    EXPECT_EQ(layer::DrawBlendGraph(1, 2, 100, 1, 105, 10, 20), 0);
    EXPECT_EQ(test::FakeCalls(), (std::vector<std::string>{"SetBlendImage(105)", "PutGraph(100)",
                                                           "SetBlendImage(-1)"}));
}

}  // namespace
