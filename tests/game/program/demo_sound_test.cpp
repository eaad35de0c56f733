// The demo's sounds heard in this process: the mix renders on the manual output as the fake
// clock moves with the frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "game/interpreter/main_interpreter.h"
#include "game/presentation/sound_manager.h"
#include "layer/core/layer_api.h"
#include "platform/audio/audio_output.h"
#include "tests/game/program/demo_run_fixture.h"
#include "tests/support/fake_clock_scope.h"
#include "tools/lib/demo_sounds.h"

namespace game {
namespace {

class DemoSound : public DemoRun {
  protected:
    void SetUp() override {
        platform::SelectManualAudioOutput(true);
        DemoRun::SetUp();
    }
    void TearDown() override {
        DemoRun::TearDown();
        platform::SelectManualAudioOutput(false);
    }

    static int Peak() {
        const std::vector<std::int16_t> samples = platform::TakeManualAudioCapture();
        int peak = 0;
        for (std::int16_t sample : samples)
            peak = std::max(peak, std::abs(static_cast<int>(sample)));
        return peak;
    }

    const test::FakeClockScope clock_;
};

TEST_F(DemoSound, TheStartMapsTuneAndRainRiseAndTheChoiceConfirmSounds) {
    Start(1);
    const int first = Peak();
    Run(20);
    EXPECT_EQ(TheMainInterpreter.CurrentMusicNumber, tools::kDemoStartMusic);
    EXPECT_EQ(TheMainInterpreter.CurrentBgsNumber, tools::kDemoRainSound);
    EXPECT_EQ(TheSoundManager.MusicFadeLeft, -1) << "the fade has ended";
    const int heard = Peak();
    EXPECT_GT(heard, 3000);
    EXPECT_LT(first, heard / 2) << "the map's sounds fade in from silence";

    const int before = layer::GetSoundPositionMs(TheSoundManager.MusicHandle);
    Run(30);
    EXPECT_NEAR(layer::GetSoundPositionMs(TheSoundManager.MusicHandle) - before, 500, 50)
        << "thirty frames at 60 per second";

    const int decide = tools::kDemoDecideEffect;
    bool played = false;
    for (int press = 0; press < 6 && !played; ++press) {
        test::PushKey(SDL_SCANCODE_RETURN, true);
        Run(1);
        played = TheSoundManager.Handles[2][decide] > 0 &&
                 layer::IsSoundPlaying(TheSoundManager.Handles[2][decide]) == 1;
        test::PushKey(SDL_SCANCODE_RETURN, false);
        Run(20);
    }
    EXPECT_TRUE(played) << "the choice's decide sound";
}

}  // namespace
}  // namespace game
