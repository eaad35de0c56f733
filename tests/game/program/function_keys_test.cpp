#include "game/program/function_keys.h"

#include <gtest/gtest.h>

#include <ctime>
#include <vector>

#include "game/core/game_ini.h"
#include "game/core/input_state.h"
#include "game/core/screen_state.h"
#include "game/interpreter/frame_skip.h"
#include "game/interpreter/main_interpreter.h"
#include "game/program/screenshot.h"

namespace {

std::vector<int> ModesAfterPresses(bool softwareDrawing) {
    std::vector<int> modes;
    int mode = 0;
    for (int press = 0; press < 4; ++press) {
        mode = game::NextWindowScaleMode(mode, softwareDrawing);
        modes.push_back(mode);
    }
    return modes;
}

TEST(WindowScaleKey, CyclesFittedHalfNormal) {
    EXPECT_EQ(ModesAfterPresses(false), (std::vector<int>{1, 2, 0, 1}));
}

TEST(WindowScaleKey, SoftwareDrawingHasNoHalfSize) {
    EXPECT_EQ(ModesAfterPresses(true), (std::vector<int>{1, 0, 1, 0}));
}

TEST(WindowScaleKey, ScalesOfTheModes) {
    struct ScaleCase {
        int mode;
        int width;
        int height;
        double scale;
    };
    for (const ScaleCase scale :
         {ScaleCase{0, 1920, 1040, 1.0}, ScaleCase{2, 1920, 1040, 0.5},
          ScaleCase{1, 1280, 1000, 2.0 - 0.04}, ScaleCase{1, 1920, 1040, 1040 / 480.0 - 0.04},
          ScaleCase{1, 1280, 912, 1.9 - 0.04}}) {
        EXPECT_DOUBLE_EQ(game::WindowScaleForMode(scale.mode, scale.width, scale.height),
                         scale.scale)
            << scale.mode << " " << scale.width << "x" << scale.height;
    }
}

class FunctionKeys : public testing::Test {
  protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset() {
        game::TheInputState = game::InputState{};
        game::TheMainInterpreter.FrameSkipLevel = 0;
        game::TheMainInterpreter.DrawStep = 1.0f;
        game::FrameSkip = 0;
        game::ScreenShotFlag = 1;
        game::TheScreenState.overlayMode = 0;
        game::TheScreenState.SceneNumber = 0;
    }
};

TEST_F(FunctionKeys, F5CyclesTheFrameSkipLevel) {
    game::TheInputState.f5Pressed = 1;
    std::vector<int> levels;
    std::vector<float> steps;
    for (int press = 0; press < 4; ++press) {
        game::HandleFunctionKeys();
        levels.push_back(game::TheMainInterpreter.FrameSkipLevel);
        steps.push_back(game::TheMainInterpreter.DrawStep);
        EXPECT_EQ(game::FrameSkip, levels.back());
    }
    EXPECT_EQ(levels, (std::vector<int>{1, 2, 0, 1}));
    EXPECT_EQ(steps, (std::vector<float>{0.5f, 0.25f, 1.0f, 0.5f}));
}

TEST_F(FunctionKeys, FrameSkipLevelsAreClamped) {
    for (const auto& [asked, level] : {std::pair{-4, 0}, std::pair{7, 2}, std::pair{1, 1}}) {
        game::SetFrameSkip(asked);
        EXPECT_EQ(game::TheMainInterpreter.FrameSkipLevel, level);
        EXPECT_EQ(game::FrameSkip, level);
    }
}

TEST_F(FunctionKeys, F8TogglesTheOverlayAndF12ReturnsToTheTitle) {
    game::TheScreenState.SceneNumber = 3;
    game::TheInputState.f8Pressed = 1;
    game::HandleFunctionKeys();
    EXPECT_EQ(game::TheScreenState.overlayMode, 1);
    EXPECT_EQ(game::TheScreenState.SceneNumber, 3);
    game::TheInputState.f8Pressed = 0;
    game::TheInputState.f12Pressed = 1;
    game::HandleFunctionKeys();
    EXPECT_EQ(game::TheScreenState.overlayMode, 1);
    EXPECT_EQ(game::TheScreenState.SceneNumber, 0);
}

TEST_F(FunctionKeys, HeldKeysDoNothingAgain) {
    game::TheInputState.f5Held = 1;
    game::TheInputState.f8Held = 1;
    game::HandleFunctionKeys();
    EXPECT_EQ(game::TheMainInterpreter.FrameSkipLevel, 0);
    EXPECT_EQ(game::TheScreenState.overlayMode, 0);
}

TEST(Screenshot, FileNameFromTheLocalTime) {
    std::tm time{};
    time.tm_year = 2026 - 1900;
    time.tm_mon = 0;
    time.tm_mday = 2;
    time.tm_hour = 9;
    time.tm_min = 5;
    time.tm_sec = 3;
    EXPECT_EQ(game::ScreenshotFileName(time), "ScreenShot_2026_0102_09_05_03.png");
    time.tm_mon = 11;
    time.tm_mday = 31;
    time.tm_hour = 23;
    time.tm_min = 59;
    time.tm_sec = 58;
    EXPECT_EQ(game::ScreenshotFileName(time), "ScreenShot_2026_1231_23_59_58.png");
}

}  // namespace
