#include "game/program/screen_effects.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/core/play_settings.h"
#include "game/core/screen_state.h"
#include "game/interpreter/main_interpreter.h"
#include "tests/game/core/fresh_game_state.h"
#include "tests/layer/graphics/software_screen_fixture.h"

namespace game {
namespace {

using Tone = std::array<std::int16_t, 3>;

// What the tone and flash hold after one update.
struct ToneFrame {
    Tone tone;
    int toneFramesLeft;
    int flashFramesLeft;
};

struct ToneCase {
    const char* name;
    int framesPerUpdate;
    int toneFrames;
    int flashFrames;
    std::vector<ToneFrame> frames;
};

class ToneAndFlashSteps : public testing::TestWithParam<ToneCase> {
  protected:
    void SetUp() override { FreshGameState(); }
    void TearDown() override { FramesPerUpdate = 1; }
};

// A change from (0, 0, 0) toward (100, -50, 30); every channel rounds toward its origin.
TEST_P(ToneAndFlashSteps, EachUpdateMovesTheToneAndCountsTheFlashDown) {
    const ToneCase& c = GetParam();
    FramesPerUpdate = c.framesPerUpdate;
    MainInterpreter& m = TheMainInterpreter;
    m.ToneStart = {0, 0, 0};
    m.ToneTarget = {100, -50, 30};
    m.ToneFrames = static_cast<std::int16_t>(c.toneFrames);
    m.ToneFramesLeft = m.ToneFrames;
    m.FlashFrames = static_cast<std::int16_t>(c.flashFrames);
    m.FlashFramesLeft = m.FlashFrames;
    for (std::size_t frame = 0; frame < c.frames.size(); ++frame) {
        UpdateScreenToneAndFlash(m);
        const ToneFrame& want = c.frames[frame];
        EXPECT_EQ(m.ToneCurrent, want.tone) << "update " << frame + 1;
        EXPECT_EQ(m.ToneFramesLeft, want.toneFramesLeft) << "update " << frame + 1;
        EXPECT_EQ(m.FlashFramesLeft, want.flashFramesLeft) << "update " << frame + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(
    FramesPerUpdate, ToneAndFlashSteps,
    testing::Values(
        // A finished change stays at its target; a flash stops at 0.
        ToneCase{"OneFrameAnUpdate",
                 1,
                 4,
                 3,
                 {{{0, 0, 0}, 3, 2},
                  {{25, -13, 8}, 2, 1},
                  {{50, -25, 15}, 1, 0},
                  {{75, -38, 23}, 0, 0},
                  {{100, -50, 30}, -1, 0},
                  {{100, -50, 30}, -1, 0}}},
        // An odd count passes 1 and stops at 0 before it ends; the flash ends below 0.
        ToneCase{"TwoFramesAnUpdate",
                 2,
                 5,
                 3,
                 {{{0, 0, 0}, 3, 1},
                  {{40, -20, 12}, 1, -1},
                  {{80, -40, 24}, 0, -1},
                  {{100, -50, 30}, -1, -1},
                  {{100, -50, 30}, -1, -1}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ToneAndFlashStep, WithoutAChangeTheToneIsLeftAlone) {
    FreshGameState();
    MainInterpreter& m = TheMainInterpreter;
    m.ToneCurrent = {20, 30, 40};
    m.ToneTarget = {0, 0, 0};
    UpdateScreenToneAndFlash(m);
    EXPECT_EQ(m.ToneCurrent, (Tone{20, 30, 40}));
    EXPECT_EQ(m.ToneFramesLeft, -1);
    EXPECT_EQ(m.FlashFramesLeft, -1);
}

struct CountDownCase {
    const char* name;
    int framesPerUpdate;
    int counter;
    std::vector<int> counters;
};

class TransitionCountDown : public testing::TestWithParam<CountDownCase> {
  protected:
    void TearDown() override { FramesPerUpdate = 1; }
};

TEST_P(TransitionCountDown, TheCounterFallsByTheFramesOfAnUpdateDownToMinusTen) {
    FramesPerUpdate = GetParam().framesPerUpdate;
    ScreenState screenState(ScreenState::Screens::kLater);
    screenState.transitionCounter = GetParam().counter;
    std::vector<int> counters;
    for (std::size_t frame = 0; frame < GetParam().counters.size(); ++frame) {
        CountDownTransition(screenState);
        counters.push_back(screenState.transitionCounter);
    }
    EXPECT_EQ(counters, GetParam().counters);
}

INSTANTIATE_TEST_SUITE_P(FramesPerUpdate, TransitionCountDown,
                         testing::Values(CountDownCase{"OneFrameAnUpdate", 1, 2, {1, 0, -1, -2}},
                                         CountDownCase{"TwoFramesAnUpdate", 2, 3, {1, -1, -3}},
                                         CountDownCase{"StopsAtMinusTen", 2, -7, {-9, -10, -10}},
                                         CountDownCase{"FourFramesPassTheFloor", 4, -8, {-10}}),
                         [](const auto& info) { return std::string(info.param.name); });

constexpr std::uint32_t kBackColour = 0x000000;
constexpr std::uint32_t kCaptureColour = 0x00FF00;

// The software back screen, and the two off-screen screens of the screen state.
class ScreenEffectPictures : public test::SoftwareScreens {
  protected:
    void SetUp() override {
        SoftwareScreens::SetUp();
        FreshGameState();
        RecreateOffscreenScreens(TheScreenState);
    }
    void TearDown() override {
        layer::ChangeBlendMode(0, 255);
        layer::ChangeBrightRgb(255, 255, 255);
        FreshGameState();
        SoftwareScreens::TearDown();
    }

    static void Fill(std::uint32_t colour) {
        layer::ChangeBlendMode(0, 255);
        layer::PaintRectangle(
            0, 0, 640, 480,
            layer::MakeScreenColor(colour >> 16 & 0xFF, colour >> 8 & 0xFF, colour & 0xFF), 1);
    }

    // The back screen filled with a colour becomes the picture of an off-screen screen.
    static void CaptureColour(int graph, std::uint32_t colour) {
        Fill(colour);
        layer::CaptureScreenToGraph(0, 0, 640, 480, graph, 1);
    }
};

TEST_F(ScreenEffectPictures, AFlashFadesWithItsFramesLeftWhateverTheBrightColour) {
    MainInterpreter& m = TheMainInterpreter;
    m.ScreenFlashColour = {255, 0, 0};
    m.FlashFrames = 4;
    for (const auto& [left, red] : {std::pair{4, 0xFF}, {2, 0x7E}, {0, 0x00}, {-1, 0x00}}) {
        Fill(kBackColour);
        layer::ChangeBrightRgb(0, 0, 0);
        m.FlashFramesLeft = static_cast<std::int16_t>(left);
        DrawScreenFlash(m);
        EXPECT_EQ(BackPixel(0, 0), static_cast<std::uint32_t>(red) << 16) << "left " << left;
        EXPECT_EQ(BackPixel(639, 479), static_cast<std::uint32_t>(red) << 16) << "left " << left;
    }
}

TEST_F(ScreenEffectPictures, APlainFadeShowsTheCaptureFadingWithTheCounter) {
    ScreenState& s = TheScreenState;
    CaptureColour(s.offscreen1, kCaptureColour);
    s.TransitionRunning = 1;
    s.transitionPlainFade = 1;
    s.transitionLength = 20;
    for (const auto& [counter, green] : {std::pair{20, 0xFF}, {10, 0x7E}, {0, 0x00}}) {
        Fill(kBackColour);
        layer::ChangeBrightRgb(0, 0, 0);
        s.transitionCounter = counter;
        DrawScreenTransition(s);
        EXPECT_EQ(BackPixel(320, 240), static_cast<std::uint32_t>(green) << 8)
            << "counter " << counter;
        EXPECT_EQ(s.TransitionRunning, 1);
    }
}

struct TransitionEndCase {
    const char* name;
    int counter;
    int length;
};

class TransitionEnd : public ScreenEffectPictures,
                      public testing::WithParamInterface<TransitionEndCase> {};

TEST_P(TransitionEnd, EndsTheTransitionAndItsHoldWithoutDrawing) {
    ScreenState& s = TheScreenState;
    CaptureColour(s.offscreen1, kCaptureColour);
    Fill(kBackColour);
    s.TransitionRunning = 1;
    s.transitionHold = 1;
    s.transitionCounter = GetParam().counter;
    s.transitionLength = GetParam().length;
    DrawScreenTransition(s);
    EXPECT_EQ(s.TransitionRunning, 0);
    EXPECT_EQ(s.transitionHold, 0);
    EXPECT_EQ(BackPixel(320, 240), kBackColour);
}

INSTANTIATE_TEST_SUITE_P(Cases, TransitionEnd,
                         testing::Values(TransitionEndCase{"CounterBelowZero", -1, 20},
                                         TransitionEndCase{"NoLength", 5, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScreenEffectPictures, NoRunningTransitionDrawsNothingAndKeepsItsHold) {
    ScreenState& s = TheScreenState;
    CaptureColour(s.offscreen1, kCaptureColour);
    Fill(kBackColour);
    s.TransitionRunning = 0;
    s.transitionHold = 1;
    s.transitionCounter = -5;
    DrawScreenTransition(s);
    EXPECT_EQ(s.transitionHold, 1);
    EXPECT_EQ(BackPixel(320, 240), kBackColour);
}

TEST_F(ScreenEffectPictures, TheFrozenScreenCoversTheFrameWhateverTheBlendMode) {
    ScreenState& s = TheScreenState;
    const int pattern = Graph(640, 480, [](int x, int y) {
        return static_cast<std::uint32_t>((x * 255 / 639) << 16 | (y * 255 / 479) << 8 | 40);
    });
    layer::PaintGraph(0, 0, pattern, 0);
    const test::RgbaImage frame = Picture(layer::direct_draw.back_image, 640, 480);
    layer::CaptureScreenToGraph(0, 0, 640, 480, s.offscreen2, 1);
    Fill(kBackColour);
    layer::ChangeBlendMode(1, 100);
    DrawFrozenScreen(s);
    const test::RgbaImage frozen = Picture(layer::direct_draw.back_image, 640, 480);
    EXPECT_EQ(frozen.pixels, frame.pixels);
    layer::RemoveGraph(pattern, 0);
}

}  // namespace
}  // namespace game
