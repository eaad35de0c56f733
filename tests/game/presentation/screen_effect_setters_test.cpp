// The tone and flash setters with the frame loop's steps that run them.
#include "game/presentation/screen_effect_setters.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "game/core/play_settings.h"
#include "game/interpreter/main_interpreter.h"
#include "game/program/screen_effects.h"
#include "tests/game/core/fresh_game_state.h"

namespace game {
namespace {

using Tone = std::array<std::int16_t, 3>;

class ScreenEffectSetters : public testing::Test {
  protected:
    void SetUp() override {
        FreshGameState();
        FramesPerUpdate = 1;
    }
};

TEST_F(ScreenEffectSetters, AToneChangeOfNoFramesShowsTheStartThenTheTarget) {
    MainInterpreter& m = TheMainInterpreter;
    m.ToneCurrent = {10, 20, 30};
    ChangeScreenTone(m, -100, 0, 255, 0);
    EXPECT_EQ(m.ToneFrames, 1);
    UpdateScreenToneAndFlash(m);
    EXPECT_EQ(m.ToneCurrent, (Tone{10, 20, 30}));
    UpdateScreenToneAndFlash(m);
    EXPECT_EQ(m.ToneCurrent, (Tone{-100, 0, 255}));
    EXPECT_EQ(m.ToneFramesLeft, -1);
}

TEST_F(ScreenEffectSetters, ANewChangeStartsFromTheToneShownNow) {
    MainInterpreter& m = TheMainInterpreter;
    ChangeScreenTone(m, 100, 100, 100, 3);
    UpdateScreenToneAndFlash(m);
    UpdateScreenToneAndFlash(m);
    ASSERT_EQ(m.ToneCurrent, (Tone{25, 25, 25}));
    ChangeScreenTone(m, 0, 0, 0, 1);
    EXPECT_EQ(m.ToneStart, (Tone{25, 25, 25}));
    UpdateScreenToneAndFlash(m);
    EXPECT_EQ(m.ToneCurrent, (Tone{25, 25, 25}));
}

TEST_F(ScreenEffectSetters, FrameCountsAreKeptInsideTheSixteenBitCounters) {
    struct Case {
        int frames;
        std::int16_t stored;
    };
    MainInterpreter& m = TheMainInterpreter;
    for (const Case& c :
         {Case{-1, 1}, Case{-2000000000, 1}, Case{32766, 32767}, Case{40000, 32767}}) {
        ChangeScreenTone(m, 0, 0, 0, c.frames);
        FlashScreen(m, 0, 0, 0, c.frames);
        EXPECT_EQ(m.ToneFrames, c.stored) << c.frames;
        EXPECT_EQ(m.ToneFramesLeft, c.stored) << c.frames;
        EXPECT_EQ(m.FlashFrames, c.stored) << c.frames;
        EXPECT_EQ(m.FlashFramesLeft, c.stored) << c.frames;
    }
}

TEST_F(ScreenEffectSetters, AFlashTakesItsColourAndLength) {
    MainInterpreter& m = TheMainInterpreter;
    FlashScreen(m, 255, -127, 0, 9);
    EXPECT_EQ(m.ScreenFlashColour, (Tone{255, -127, 0}));
    EXPECT_EQ(m.FlashFrames, 10);
    UpdateScreenToneAndFlash(m);
    EXPECT_EQ(m.FlashFramesLeft, 9);
}

}  // namespace
}  // namespace game
