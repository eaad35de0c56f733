#include "platform/audio/audio_output.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/audio/audio_mixer.h"
#include "platform/clock.h"
#include "tests/support/fake_clock_scope.h"

namespace {

using platform::TheAudioMixer;

// A looping buffer of one 16-bit mono sample in the shared mixer, released at the end.
class ConstantTone {
  public:
    explicit ConstantTone(std::int16_t value) {
        buffer_ = TheAudioMixer().CreateBuffer({1, 16, 44100}, 2);
        platform::AudioLock lock;
        TheAudioMixer().Lock(buffer_, 0, 2, &lock);
        std::memcpy(lock.first, &value, 2);
        TheAudioMixer().Unlock(buffer_, lock);
        TheAudioMixer().Play(buffer_, true);
    }
    ~ConstantTone() { TheAudioMixer().ReleaseBuffer(buffer_); }
    ConstantTone(const ConstantTone&) = delete;
    ConstantTone& operator=(const ConstantTone&) = delete;
    int buffer() const { return buffer_; }

  private:
    int buffer_ = -1;
};

TEST(ManualAudioOutput, RendersTheTimeTheFakeClockAdvancesWithFractionsCarried) {
    test::FakeClockScope clock;
    platform::SelectManualAudioOutput(true);
    ASSERT_TRUE(platform::StartAudioOutput(nullptr));
    platform::ClearManualAudioCapture();
    const ConstantTone tone(1234);
    for (int i = 0; i < 10; ++i) {
        clock.Advance(1'000'000);  // 44.1 frames each
    }
    platform::RenderManualAudio(9);
    const std::vector<std::int16_t> capture = platform::TakeManualAudioCapture();
    ASSERT_EQ(capture.size(), 2u * 450);
    EXPECT_EQ(capture.front(), 1234);
    EXPECT_EQ(capture.back(), 1234);
    EXPECT_TRUE(platform::TakeManualAudioCapture().empty());

    platform::StopAudioOutput();
    clock.Advance(1'000'000'000);
    EXPECT_TRUE(platform::TakeManualAudioCapture().empty()) << "nothing renders once stopped";
    platform::SelectManualAudioOutput(false);
}

TEST(SdlAudioOutput, ADriverThatCannotStartFailsWithSdlsErrorAndDummyStarts) {
    EXPECT_FALSE(platform::StartAudioOutput("no-such-driver"));
    EXPECT_FALSE(platform::AudioOutputError().empty());
    EXPECT_FALSE(platform::IsAudioOutputStarted());
    ASSERT_TRUE(platform::StartAudioOutput("dummy"));
    EXPECT_EQ(platform::AudioDriverName(), "dummy");
    platform::StopAudioOutput();
    EXPECT_FALSE(platform::IsAudioOutputStarted());
}

TEST(SdlAudioOutput, TheDeviceCallbackPlaysTheMixWhileTheMainThreadChangesIt) {
    ASSERT_TRUE(platform::StartAudioOutput(nullptr)) << platform::AudioOutputError();
    platform::AudioMixer& mixer = TheAudioMixer();
    const int buffer = mixer.CreateBuffer({2, 16, 44100}, 44100 * 4);
    mixer.Play(buffer, true);
    std::uint32_t cursor = 0;
    // The dummy driver renders in real time on its own thread.
    for (int wait = 0; wait < 5000 && cursor == 0; ++wait) {
        mixer.SetVolume(buffer, -(wait % 100));
        platform::AudioLock lock;
        if (mixer.Lock(buffer, 4000, 400, &lock)) {
            std::memset(lock.first, wait & 0xFF, lock.first_size);
            mixer.Unlock(buffer, lock);
        }
        platform::SleepMilliseconds(1);
        mixer.GetCursor(buffer, &cursor);
    }
    EXPECT_GT(cursor, 0u);
    mixer.ReleaseBuffer(buffer);
    platform::StopAudioOutput();
}

}  // namespace
