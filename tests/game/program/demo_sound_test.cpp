// The demo's sounds played through the real frame loop on the manual audio output: every
// frame's clock advance renders its share of the mix into the capture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "game/core/screen_state.h"
#include "game/interpreter/main_interpreter.h"
#include "game/presentation/sound_layer_calls.h"
#include "game/presentation/sound_manager.h"
#include "layer/core/layer_api.h"
#include "platform/audio/audio_output.h"
#include "tests/game/program/demo_run_fixture.h"
#include "tools/lib/demo_sounds.h"

namespace game {
namespace {

// The loudest sample of a stretch of the capture.
int Peak(const std::vector<std::int16_t>& samples) {
    int peak = 0;
    for (const std::int16_t sample : samples)
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    return peak;
}

class DemoSound : public DemoRun {
  protected:
    void SetUp() override {
        platform::SelectManualAudioOutput(true);
        DemoRun::SetUp();
        UseFakeClock();
        platform::ClearManualAudioCapture();
    }
    void TearDown() override {
        DemoRun::TearDown();
        platform::SelectManualAudioOutput(false);
    }

    // The mix of the next frames.
    std::vector<std::int16_t> Heard(long frames) {
        platform::ClearManualAudioCapture();
        Run(frames);
        return platform::TakeManualAudioCapture();
    }
};

// Silence until the first update, then the start map's tune rising over its fade beside the
// rain; the tune's position follows the frames (30 frames at 60 a second: 500 ms).
TEST_F(DemoSound, TheStartMapsTuneRisesOverItsFadeBesideTheRainAndFollowsTheFrames) {
    Start(1);
    EXPECT_EQ(Peak(platform::TakeManualAudioCapture()), 0);
    EXPECT_EQ(TheMainInterpreter.CurrentMusicNumber, tools::kDemoStartMusic);
    EXPECT_EQ(TheMainInterpreter.CurrentBgsNumber, tools::kDemoRainSound);
    int previous = 0;
    for (int frame = 0; frame < 6; ++frame) {
        const int peak = Peak(Heard(1));
        EXPECT_GT(peak, previous) << frame;
        previous = peak;
    }
    const int music = TheSoundManager.MusicHandle;
    const int rain = TheSoundManager.BgsHandle;
    EXPECT_EQ(layer::IsSoundPlaying(music), 1);
    EXPECT_EQ(layer::IsSoundPlaying(rain), 1);
    const int before = layer::GetSoundPositionMs(music);
    Run(30);
    EXPECT_NEAR(layer::GetSoundPositionMs(music) - before, 500, 20);
    // The tune halted, the rain is still heard.
    layer::HaltSound(music);
    EXPECT_GT(Peak(Heard(10)), 500);
}

// The title's choice plays its decide sound once confirmed.
TEST_F(DemoSound, TheTitlesChoicePlaysItsDecideSound) {
    Start(30);
    EXPECT_EQ(TheSoundManager.Handles[2][tools::kDemoDecideEffect], 0);
    Press(SDL_SCANCODE_RETURN, 3, 0);
    const int decide = TheSoundManager.Handles[2][tools::kDemoDecideEffect];
    ASSERT_NE(decide, 0);
    EXPECT_EQ(layer::IsSoundPlaying(decide), 1);
}

// The handles the sound manager started, recorded on their way to the layer.
std::vector<int> startedHandles;
int RecordStart(int sound, int playType, int restart) {
    startedHandles.push_back(sound);
    return LayerSoundCalls().StartSound(sound, playType, restart);
}

// The patrol walker's route plays its step sound at the top of every lap: a lap of four steps
// takes 113 frames, so 600 frames hold five.
TEST_F(DemoSound, ThePatrolWalkersRoutePlaysAStepEachLap) {
    StartOnTheMap();
    startedHandles.clear();
    TheSoundLayerCalls.StartSound = RecordStart;
    Run(600);
    TheSoundLayerCalls.StartSound = LayerSoundCalls().StartSound;
    const int step = TheSoundManager.Handles[2][tools::kDemoStepEffect];
    ASSERT_NE(step, 0);
    EXPECT_EQ(std::count(startedHandles.begin(), startedHandles.end(), step), 5);
}

// Moving to the looping map fades the Ogg tune out into its MIDI tune and ends the rain.
TEST_F(DemoSound, AMoveToTheLoopingMapCrossesToItsMidiTune) {
    Start(30);
    TheScreenState.transferMap = 1;
    TheScreenState.transferX = 2;
    TheScreenState.transferY = 2;
    TheScreenState.TransferPending = 1;
    Run(2);
    EXPECT_EQ(TheMainInterpreter.CurrentMusicNumber, tools::kDemoLoopMusic);
    EXPECT_TRUE(TheSoundManager.MusicIsMidi);
    EXPECT_NE(TheSoundManager.OutgoingMusicHandle, 0);
    EXPECT_EQ(TheMainInterpreter.CurrentBgsNumber, -1);
    EXPECT_EQ(TheSoundManager.BgsHandle, 0);
    Run(10);
    EXPECT_EQ(TheSoundManager.OutgoingMusicHandle, 0);
    EXPECT_GT(Peak(Heard(30)), 100);
}

}  // namespace
}  // namespace game
