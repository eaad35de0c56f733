#include "platform/audio/audio_mixer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

using platform::AudioLock;
using platform::AudioMixer;
using platform::PcmFormat;

constexpr PcmFormat kMono16{1, 16, 44100};
constexpr PcmFormat kStereo16{2, 16, 44100};

// Writes 16-bit samples into a buffer from its start.
void Write16(AudioMixer& mixer, int buffer, const std::vector<std::int16_t>& samples) {
    AudioLock lock;
    const auto bytes = static_cast<std::uint32_t>(samples.size() * 2);
    ASSERT_TRUE(mixer.Lock(buffer, 0, bytes, &lock));
    std::memcpy(lock.first, samples.data(), bytes);
    ASSERT_TRUE(mixer.Unlock(buffer, lock));
}

std::vector<std::int16_t> Render(AudioMixer& mixer, int frames) {
    std::vector<std::int16_t> out(static_cast<std::size_t>(frames) * 2);
    mixer.Render(out.data(), frames);
    return out;
}

// The left channel of rendered frames.
std::vector<std::int16_t> Left(const std::vector<std::int16_t>& frames) {
    std::vector<std::int16_t> left;
    for (std::size_t i = 0; i < frames.size(); i += 2) {
        left.push_back(frames[i]);
    }
    return left;
}

TEST(AudioMixer, PlaysSamplesAtTheirOwnRateOnBothChannelsAndStopsAtTheEnd) {
    AudioMixer mixer;
    const int buffer = mixer.CreateBuffer(kMono16, 8);
    Write16(mixer, buffer, {100, -200, 300, -400});
    ASSERT_TRUE(mixer.Play(buffer, false));
    const std::vector<std::int16_t> out = Render(mixer, 6);
    EXPECT_EQ(out,
              (std::vector<std::int16_t>{100, 100, -200, -200, 300, 300, -400, -400, 0, 0, 0, 0}));
    int status = -1;
    ASSERT_TRUE(mixer.GetStatus(buffer, &status));
    EXPECT_EQ(status, 0);
    std::uint32_t cursor = 99;
    ASSERT_TRUE(mixer.GetCursor(buffer, &cursor));
    EXPECT_EQ(cursor, 0u);
}

TEST(AudioMixer, EightBitSamplesAreUnsignedAroundTheMiddle) {
    AudioMixer mixer;
    const int buffer = mixer.CreateBuffer({2, 8, 44100}, 4);
    AudioLock lock;
    ASSERT_TRUE(mixer.Lock(buffer, 0, 4, &lock));
    const std::uint8_t bytes[4] = {128, 255, 0, 129};
    std::memcpy(lock.first, bytes, 4);
    ASSERT_TRUE(mixer.Unlock(buffer, lock));
    mixer.Play(buffer, false);
    EXPECT_EQ(Render(mixer, 2), (std::vector<std::int16_t>{0, 127 * 256, -128 * 256, 256}));
}

TEST(AudioMixer, VolumeIsHundredthsOfADecibel) {
    struct Case {
        int volume;
        double gain;
    };
    for (const Case& c :
         {Case{0, 1.0}, Case{-600, std::pow(10.0, -0.3)}, Case{-2000, 0.1}, Case{-10000, 0.0}}) {
        AudioMixer mixer;
        const int buffer = mixer.CreateBuffer(kMono16, 2);
        Write16(mixer, buffer, {20000});
        ASSERT_TRUE(mixer.SetVolume(buffer, c.volume));
        mixer.Play(buffer, true);
        EXPECT_NEAR(Render(mixer, 1)[0], 20000 * c.gain, 1.0) << c.volume;
    }
    AudioMixer mixer;
    const int buffer = mixer.CreateBuffer(kMono16, 2);
    EXPECT_FALSE(mixer.SetVolume(buffer, 1));
    EXPECT_FALSE(mixer.SetVolume(buffer, -10001));
}

TEST(AudioMixer, FrequencyResamplesLinearlyAndRefusesWhatItCannotPlay) {
    AudioMixer mixer;
    const int buffer = mixer.CreateBuffer(kMono16, 8);
    Write16(mixer, buffer, {0, 1000, 2000, 3000});
    ASSERT_TRUE(mixer.SetFrequency(buffer, 22050));
    mixer.Play(buffer, false);
    EXPECT_EQ(Left(Render(mixer, 8)),
              (std::vector<std::int16_t>{0, 500, 1000, 1500, 2000, 2500, 3000, 3000}));

    ASSERT_TRUE(mixer.SetFrequency(buffer, 88200));
    mixer.Play(buffer, false);
    EXPECT_EQ(Left(Render(mixer, 3)), (std::vector<std::int16_t>{0, 2000, 0}));

    for (const int refused : {99, 100001, -1}) {
        EXPECT_FALSE(mixer.SetFrequency(buffer, refused)) << refused;
    }
    mixer.SetCursor(buffer, 0);
    mixer.Play(buffer, false);
    EXPECT_EQ(Left(Render(mixer, 2)), (std::vector<std::int16_t>{0, 2000}))
        << "the rate before the refusals stays";

    ASSERT_TRUE(mixer.SetFrequency(buffer, 0));
    mixer.SetCursor(buffer, 0);
    mixer.Play(buffer, false);
    EXPECT_EQ(Left(Render(mixer, 2)), (std::vector<std::int16_t>{0, 1000})) << "0: its own rate";
}

TEST(AudioMixer, ALoopingBufferWrapsWithoutAGapUntilStopped) {
    AudioMixer mixer;
    const int buffer = mixer.CreateBuffer(kMono16, 6);
    Write16(mixer, buffer, {1, 2, 3});
    mixer.Play(buffer, true);
    EXPECT_EQ(Left(Render(mixer, 7)), (std::vector<std::int16_t>{1, 2, 3, 1, 2, 3, 1}));
    int status = 0;
    mixer.GetStatus(buffer, &status);
    EXPECT_EQ(status, platform::kAudioPlaying | platform::kAudioLooping);
    std::uint32_t cursor = 0;
    mixer.GetCursor(buffer, &cursor);
    EXPECT_EQ(cursor, 2u);
    mixer.Stop(buffer);
    EXPECT_EQ(Left(Render(mixer, 2)), (std::vector<std::int16_t>{0, 0}));
    mixer.Play(buffer, true);
    EXPECT_EQ(Left(Render(mixer, 1)), (std::vector<std::int16_t>{2})) << "resumes at its cursor";
}

TEST(AudioMixer, DuplicatesShareThePcmButNotTheirCursorsOrVolumes) {
    AudioMixer mixer;
    const int original = mixer.CreateBuffer(kMono16, 4);
    const int copy = mixer.DuplicateBuffer(original);
    ASSERT_GE(copy, 0);
    Write16(mixer, copy, {1000, 2000});
    mixer.SetVolume(copy, -10000);
    mixer.Play(original, false);
    EXPECT_EQ(Left(Render(mixer, 1)), (std::vector<std::int16_t>{1000}));
    mixer.SetVolume(copy, 0);
    mixer.Play(copy, false);
    EXPECT_EQ(Left(Render(mixer, 1)), (std::vector<std::int16_t>{2000 + 1000}));
    EXPECT_EQ(mixer.DuplicateBuffer(99), -1);
    EXPECT_TRUE(mixer.ReleaseBuffer(original));
    mixer.Play(copy, false);
    EXPECT_EQ(Left(Render(mixer, 1)), (std::vector<std::int16_t>{2000}))
        << "the copy keeps the PCM alive";
}

TEST(AudioMixer, ALockPastTheEndWrapsIntoASecondAreaCopiedInAtUnlock) {
    AudioMixer mixer;
    const int buffer = mixer.CreateBuffer(kMono16, 8);
    Write16(mixer, buffer, {1, 2, 3, 4});
    AudioLock lock;
    ASSERT_TRUE(mixer.Lock(buffer, 6, 4, &lock));
    ASSERT_EQ(lock.first_size, 2u);
    ASSERT_EQ(lock.second_size, 2u);
    std::int16_t first;
    std::memcpy(&first, lock.first, 2);
    EXPECT_EQ(first, 4) << "the areas start with the buffer's bytes";
    EXPECT_FALSE(mixer.Lock(buffer, 0, 2, &lock)) << "one lock at a time";
    const std::int16_t written[2] = {40, 10};
    std::memcpy(lock.first, &written[0], 2);
    std::memcpy(lock.second, &written[1], 2);
    mixer.Play(buffer, false);
    EXPECT_EQ(Left(Render(mixer, 1)), (std::vector<std::int16_t>{1})) << "not before the unlock";
    ASSERT_TRUE(mixer.Unlock(buffer, lock));
    EXPECT_EQ(Left(Render(mixer, 3)), (std::vector<std::int16_t>{2, 3, 40}));
    mixer.SetCursor(buffer, 0);
    mixer.Play(buffer, false);
    EXPECT_EQ(Left(Render(mixer, 1)), (std::vector<std::int16_t>{10}));
    EXPECT_FALSE(mixer.Lock(buffer, 8, 2, &lock));
    EXPECT_FALSE(mixer.Lock(buffer, 0, 10, &lock));
}

TEST(AudioMixer, CursorsRoundDownToWholeBlocks) {
    AudioMixer mixer;
    const int buffer = mixer.CreateBuffer(kStereo16, 44100 * 4);
    ASSERT_TRUE(mixer.SetCursor(buffer, 1234));  // 7 ms: not a whole frame
    std::uint32_t cursor = 0;
    mixer.GetCursor(buffer, &cursor);
    EXPECT_EQ(cursor, 1232u);
    EXPECT_FALSE(mixer.SetCursor(buffer, 44100 * 4));
}

TEST(AudioMixer, TheMixSaturatesAndTheExtraVoiceAddsWithItsGain) {
    AudioMixer mixer;
    for (int i = 0; i < 2; ++i) {
        const int buffer = mixer.CreateBuffer(kStereo16, 4);
        Write16(mixer, buffer, {30000, -30000});
        mixer.Play(buffer, true);
    }
    EXPECT_EQ(Render(mixer, 1), (std::vector<std::int16_t>{32767, -32768}));

    AudioMixer voiced;
    voiced.SetExtraVoice(
        [](void*, float* left, float* right, int frames) {
            for (int i = 0; i < frames; ++i) {
                left[i] += 0.25f;
                right[i] -= 0.5f;
            }
        },
        nullptr);
    voiced.SetExtraVoiceGain(0.5f);
    EXPECT_EQ(Render(voiced, 1), (std::vector<std::int16_t>{4096, -8192}));
}

TEST(AudioMixer, RefusesFormatsItCannotPlay) {
    AudioMixer mixer;
    for (const PcmFormat& format : {PcmFormat{3, 16, 44100}, PcmFormat{1, 24, 44100},
                                    PcmFormat{1, 16, 0}, PcmFormat{0, 8, 8000}}) {
        EXPECT_EQ(mixer.CreateBuffer(format, 64), -1);
    }
    EXPECT_EQ(mixer.CreateBuffer(kStereo16, 3), -1) << "less than one block";
    EXPECT_EQ(mixer.BufferCount(), 0);
}

}  // namespace
