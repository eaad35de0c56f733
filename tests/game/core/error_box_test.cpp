// The error box and the number box drawn on software screens, and where their texts go
// when they are not drawn; the debug box.
#include "game/core/error_box.h"

#include <gtest/gtest.h>

#include "game/core/screen_state.h"
#include "game/core/system_message_box.h"
#include "layer/media/media_services.h"
#include "tests/game/core/fresh_game_state.h"
#include "tests/game/core/game_screen_fixture.h"
#include "tests/game/core/report_capture.h"
#include "tests/support/auto_confirm_scope.h"
#include "tests/support/sjis.h"

namespace game {
namespace {

constexpr int kGameFontSize = 22;

int shutdowns = 0;

int GameFontSize() {
    return kGameFontSize;
}

void RecordShutdown() {
    ++shutdowns;
}

// The boxes with the layer running on software screens. The window is gone before the first
// poll, so that every box returns right after it was drawn and shown.
class ErrorBoxes : public test::GameScreens {
  protected:
    void SetUp() override {
        test::GameScreens::SetUp();
        LayerRunning = true;
        TheErrorBoxServices = {&GameFontSize, &RecordShutdown};
        shutdowns = 0;
        TheScreenState.SceneNumber = 2;
        layer::window_state.quit = 1;
    }
    void TearDown() override {
        layer::window_state.quit = 0;
        layer::window_state.quit_requested = 0;
        TheErrorBoxServices = {};
        LayerRunning = false;
        FreshGameState();
        layer::SetStandardFontType(0);
        layer::SetStandardFontSize(16);
        SoftwareScreens::TearDown();
    }

    const test::AutoConfirmScope boxes_{false};
};

TEST_F(ErrorBoxes, TheLinesStandOnAGreenBandAndAClosedWindowEndsTheScene) {
    ShowErrorBox("Line one of the report", "The detail", "Where it happened");
    EXPECT_TRUE(test::MatchesGolden(Picture(layer::direct_draw.back_image, 640, 480),
                                    "game/core/error-box"));
    EXPECT_EQ(TheScreenState.SceneNumber, -1);
    EXPECT_EQ(shutdowns, 0);
    EXPECT_EQ(layer::standard_font_settings.size, kGameFontSize);
}

TEST_F(ErrorBoxes, AQuitAskedByTheLayerShutsTheGameDown) {
    layer::window_state.quit_requested = 1;
    ShowErrorBox("one", "two", "three");
    EXPECT_EQ(shutdowns, 1);
    EXPECT_EQ(TheScreenState.SceneNumber, 2);
    EXPECT_EQ(layer::standard_font_settings.size, kGameFontSize);
}

TEST_F(ErrorBoxes, TheNumbersStandCentredOnAGreyBand) {
    ShowNumberBox(12, -3, 4567);
    EXPECT_TRUE(test::MatchesGolden(Picture(layer::direct_draw.back_image, 640, 480),
                                    "game/core/number-box"));
    EXPECT_EQ(TheScreenState.SceneNumber, -1);
    EXPECT_EQ(layer::standard_font_settings.size, kGameFontSize);
}

TEST_F(ErrorBoxes, AQuitAskedByTheLayerDuringTheNumberBoxShutsTheGameDown) {
    layer::window_state.quit_requested = 1;
    ShowNumberBox(1, 2, 3);
    EXPECT_EQ(shutdowns, 1);
    EXPECT_EQ(TheScreenState.SceneNumber, 2);
}

TEST(NumberBox, WithAutoConfirmTheNumbersGoToTheConsole) {
    const test::AutoConfirmScope confirmed(true);
    testing::internal::CaptureStderr();
    ShowNumberBox(7, 0, -1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "7   0   -1\n");
}

TEST(NumberBox, BeforeTheLayerRunsTheSystemMessageBoxTakesTheNumbers) {
    const test::AutoConfirmScope boxes(false);
    ReportCapture capture;
    ShowNumberBox(1, 22, 333);
    ASSERT_EQ(capture.boxes().size(), 1u);
    EXPECT_EQ(capture.boxes()[0].text, "1   22   333");
}

TEST(DebugBox, ShowsTheTextAndTwoNumbersUnderItsCaption) {
    ReportCapture capture;
    ShowDebugBox(test::Sjis(u8"表示"), 5, -6);
    ASSERT_EQ(capture.boxes().size(), 1u);
    EXPECT_EQ(capture.boxes()[0].text, test::Sjis(u8"表示 5 -6"));
    EXPECT_EQ(capture.boxes()[0].caption, test::Sjis(u8"デバッグ"));
    EXPECT_EQ(capture.boxes()[0].buttons, MessageBoxButtons::kOk);
}

}  // namespace
}  // namespace game
