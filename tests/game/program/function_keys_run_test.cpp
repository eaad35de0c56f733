// The function keys in the running demo: the screenshot file and the frame-skip level kept in
// "Game.ini" at shutdown.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "game/core/game_ini.h"
#include "game/core/input_state.h"
#include "game/core/play_settings.h"
#include "game/interpreter/main_interpreter.h"
#include "game/program/function_keys.h"
#include "game/program/screenshot.h"
#include "layer/core/layer_api.h"
#include "tests/game/program/demo_run_fixture.h"
#include "tests/support/auto_confirm_scope.h"
#include "tests/support/golden.h"

namespace game {
namespace {

class FunctionKeysRun : public DemoRun {
  protected:
    void TearDown() override {
        DemoRun::TearDown();
        ScreenShotFlag = 1;
    }

    std::vector<std::string> Screenshots() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_.tree().root())) {
            const std::string name = entry.path().filename().string();
            if (name.starts_with("ScreenShot_") && name.ends_with(".png"))
                names.push_back(name);
        }
        return names;
    }

    static void PressPrintScreen() {
        TheInputState.printPressed = 1;
        HandleFunctionKeys();
        TheInputState.printPressed = 0;
    }

    const test::AutoConfirmScope confirm_{true};
};

TEST_F(FunctionKeysRun, AScreenshotIsTheWholeScreenUnderTheNameOfItsTime) {
    Start(5);
    layer::PaintRectangle(0, 0, 640, 480, layer::MakeScreenColor(200, 40, 40), 1);
    std::tm time{};
    time.tm_year = 2026 - 1900;
    time.tm_mon = 0;
    time.tm_mday = 2;
    time.tm_hour = 9;
    time.tm_min = 5;
    time.tm_sec = 3;
    TakeScreenshot(time);
    EXPECT_EQ(Screenshots(), std::vector<std::string>{"ScreenShot_2026_0102_09_05_03.png"});
    const std::optional<test::RgbaImage> image =
        test::ReadPng(folder_.tree().path("ScreenShot_2026_0102_09_05_03.png"));
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->width, 640);
    EXPECT_EQ(image->height, 480);
    const std::size_t last = (480 * 640 - 1) * 4;
    EXPECT_EQ(
        (std::vector<int>{image->pixels[last], image->pixels[last + 1], image->pixels[last + 2]}),
        (std::vector<int>{200, 40, 40}));
}

TEST_F(FunctionKeysRun, PrintScreenWritesAShotOnlyWhenTheSettingAllowsIt) {
    Start(5);
    ScreenShotFlag = 0;
    PressPrintScreen();
    EXPECT_TRUE(Screenshots().empty());
    ScreenShotFlag = 1;
    PressPrintScreen();
    EXPECT_EQ(Screenshots().size(), 1u);
}

TEST_F(FunctionKeysRun, ThePrintScreenKeyReachesTheGame) {
    Start(5);
    Press(SDL_SCANCODE_PRINTSCREEN);
    EXPECT_EQ(Screenshots().size(), 1u);
}

TEST_F(FunctionKeysRun, F9ShowsTheVariableViewOnlyInTestPlay) {
    Start(5);
    for (const int testPlay : {0, 1}) {
        TestPlayMode = testPlay;
        testing::internal::CaptureStderr();
        Press(SDL_SCANCODE_F9);
        const std::string shown = testing::internal::GetCapturedStderr();
        // The console shows the view's lines in UTF-8.
        const std::string heading = reinterpret_cast<const char*>(u8"■通常変数-----");
        EXPECT_EQ(shown.find(heading) != std::string::npos, testPlay == 1) << shown;
    }
    TestPlayMode = 0;
}

TEST_F(FunctionKeysRun, TheFrameSkipLevelOfF5IsKeptInGameIniAtShutdown) {
    Start(5);
    Press(SDL_SCANCODE_F5);
    Press(SDL_SCANCODE_F5);
    EXPECT_EQ(TheMainInterpreter.FrameSkipLevel, 2);
    Shutdown();
    const std::string ini = folder_.tree().read("Game.ini");
    EXPECT_NE(ini.find("FrameSkip=2"), std::string::npos) << ini;
}

}  // namespace
}  // namespace game
