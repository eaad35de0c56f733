#include <gtest/gtest.h>

#include "layer/core/handle_texts.h"
#include "layer/core/layer_api.h"
#include "layer/core/tracked_memory.h"
#include "layer/media/sound_texts.h"
#include "tests/layer/media/sound_fixture.h"

namespace test {
namespace {

using layer::FindSound;

// One second of a 44,100 Hz 16-bit tone: 4 bytes a frame in stereo.
const tools::PcmSound kStereoSecond = tools::SineTone(2, 44100, 441, 1.0, 0.5);
const tools::PcmSound kMonoSecond = tools::SineTone(1, 44100, 441, 1.0, 0.5);

TEST(SoundVolume, IsHundredthsOfADecibelFromTheScaleOf255) {
    const std::pair<int, int> cases[] = {{255, 0},     {300, 0},   {0, -10000},
                                         {-5, -10000}, {1, -2406}, {128, -299}};
    for (const auto& [volume, hundredths] : cases) {
        EXPECT_EQ(layer::SoundVolumeInHundredths(volume), hundredths) << volume;
    }
}

TEST(SoundSystemStopped, EveryOperationRefuses) {
    const std::vector<std::uint8_t> image = tools::WriteWav(kMonoSecond);
    EXPECT_EQ(layer::CreateSoundFromFileImage(image.data(), static_cast<int>(image.size()), 1, -1),
              -1);
    const int handle = layer::MakeLayerHandle(layer::kSoundHandleKind, 0, 0);
    EXPECT_EQ(layer::PlaySoundHandle(handle, 1, 1), -1);
    EXPECT_EQ(layer::IsSoundHandlePlaying(handle), -1);
    EXPECT_EQ(layer::SetSoundHandleVolume(100, handle), -1);
    EXPECT_EQ(layer::DeleteAllSoundHandles(0), -1);
    EXPECT_EQ(layer::EndSoundSystem(), -1);
    EXPECT_EQ(layer::ServiceStreamSounds(), -1);
}

TEST_F(SoundSystemTest, StartingLogsTheDeviceAndASecondStartIsRefused) {
    EXPECT_EQ(layer::StartSoundSystem(), -1);
    EXPECT_EQ(layer::EndSoundSystem(), 0);
    ASSERT_EQ(layer::StartSoundSystem(), 0);
    const std::string log = ReadLog();
    EXPECT_NE(log.find("manual"), std::string::npos) << "the driver's name";
    EXPECT_NE(log.find(" = OK"), std::string::npos);
}

TEST_F(SoundSystemTest, FiveBuffersPlayRoundRobinAndABusyOneWaitsForARestart) {
    const int sound = LoadSound(kStereoSecond, 5);
    ASSERT_NE(sound, -1);
    for (const int expected : {1, 2, 3, 4, 0}) {
        ASSERT_EQ(layer::PlaySoundHandle(sound, 1, 0), 0);
        EXPECT_EQ(FindSound(sound)->round_robin, expected);
        EXPECT_TRUE(BufferPlays(sound, expected));
        Advance(10);
    }
    const std::uint32_t busy = CursorOf(sound, 1);
    ASSERT_GT(busy, 0u);
    EXPECT_EQ(layer::PlaySoundHandle(sound, 1, 0), 0);
    EXPECT_EQ(CursorOf(sound, 1), busy) << "a sixth play without restart leaves buffer 1 alone";
    EXPECT_EQ(layer::PlaySoundHandle(sound, 1, 1), 0);
    EXPECT_EQ(FindSound(sound)->round_robin, 2);
    EXPECT_EQ(layer::PlaySoundHandle(sound, 1, 1), 0);
    EXPECT_EQ(FindSound(sound)->round_robin, 3);
    EXPECT_EQ(CursorOf(sound, 3), 0u) << "a restart plays its buffer from the start";
}

TEST_F(SoundSystemTest, AOneBufferSoundResumesWhereItStoppedUnlessRestarted) {
    const int sound = LoadSound(kStereoSecond, 1);
    layer::PlaySoundHandle(sound, 1, 1);
    Advance(500);
    layer::StopSoundHandle(sound);
    const std::uint32_t half = CursorOf(sound, 0);
    EXPECT_NEAR(half, 44100 * 4 / 2, 4);
    EXPECT_EQ(layer::IsSoundHandlePlaying(sound), 0);
    layer::PlaySoundHandle(sound, 1, 0);
    EXPECT_EQ(CursorOf(sound, 0), half);
    EXPECT_EQ(layer::GetSoundHandlePlayPositionMs(sound), 500);
    layer::PlaySoundHandle(sound, 1, 1);
    EXPECT_EQ(CursorOf(sound, 0), 0u);
    Advance(1001);
    EXPECT_EQ(layer::IsSoundHandlePlaying(sound), 0) << "a plain sound stops at its end";
    EXPECT_EQ(CursorOf(sound, 0), 0u);
}

TEST_F(SoundSystemTest, PositionsRoundDownToWholeBlocksAndNeedAQuietBuffer) {
    const int sound = LoadSound(kStereoSecond, 2);
    // 7 ms of 44,100 Hz stereo 16-bit is 1,234.8 bytes: 1,234 would swap the channels.
    ASSERT_EQ(layer::SetSoundHandlePositionMs(7, sound), 0);
    EXPECT_EQ(CursorOf(sound, 0), 1232u);
    layer::PlaySoundHandle(sound, 3, 1);
    layer::PlaySoundHandle(sound, 3, 1);
    EXPECT_EQ(layer::SetSoundHandlePositionMs(0, sound), -1) << "every buffer plays";
}

TEST_F(SoundSystemTest, FrequencyMinusOneIsTheDataRateAndLengthsFollowTheData) {
    const int sound = LoadSound(kMonoSecond, 1);
    EXPECT_EQ(layer::GetSoundHandleBaseFrequency(sound), 44100);
    EXPECT_EQ(layer::GetSoundHandleLengthMs(sound), 1000);
    EXPECT_EQ(layer::GetSoundHandleLengthSamples(sound), 44100);
    layer::SetSoundHandleFrequency(88200, sound);
    layer::PlaySoundHandle(sound, 1, 1);
    Advance(100);
    EXPECT_NEAR(CursorOf(sound, 0), 8820 * 2, 4);
    layer::SetSoundHandleFrequency(-1, sound);
    Advance(100);
    EXPECT_NEAR(CursorOf(sound, 0), (8820 + 4410) * 2, 4);
}

TEST_F(SoundSystemTest, PlayTypeZeroReturnsOnceTheSoundEnded) {
    const int sound = LoadSound(tools::SineTone(1, 22050, 441, 0.25, 0.5), 1);
    const std::uint32_t before = platform::MonotonicMilliseconds();
    ASSERT_EQ(layer::PlaySoundHandle(sound, 0, 1), 0);
    EXPECT_EQ(layer::IsSoundHandlePlaying(sound), 0);
    EXPECT_GE(platform::MonotonicMilliseconds() - before, 250u);
}

TEST_F(SoundSystemTest, BufferCountsAreBoundedAndBelowOneCountAsOne) {
    const std::vector<std::uint8_t> image = tools::WriteWav(kMonoSecond);
    const int live = layer::sound_system.sounds.count();
    EXPECT_EQ(layer::CreateSoundFromFileImage(image.data(), static_cast<int>(image.size()), 11, -1),
              -1);
    EXPECT_EQ(layer::sound_system.sounds.count(), live);
    EXPECT_EQ(FindSound(LoadSound(kMonoSecond, 0))->buffer_count, 1);
    EXPECT_EQ(FindSound(LoadSound(kMonoSecond, -3))->buffer_count, 1);

    tree.write("tone.wav", std::string(image.begin(), image.end()));
    const int built = layer::BuildSoundFromFile("tone.wav", 11, -1);
    ASSERT_NE(built, -1);
    EXPECT_EQ(FindSound(built)->buffer_count, 10);
    EXPECT_EQ(layer::BuildSoundFromFile("missing.wav", 1, -1), -1);
    EXPECT_NE(ReadLog().find("missing.wav"), std::string::npos);
}

TEST_F(SoundSystemTest, TheTableHolds4096SoundsAndReusesTheTopSlotWithANewCheck) {
    const std::vector<std::uint8_t> image =
        tools::WriteWav(tools::SineTone(1, 8000, 400, 0.01, 0.5));
    std::vector<int> handles;
    for (int i = 0; i < 4096; ++i) {
        handles.push_back(
            layer::CreateSoundFromFileImage(image.data(), static_cast<int>(image.size()), 1, -1));
        ASSERT_NE(handles.back(), -1);
    }
    EXPECT_EQ(layer::CreateSoundFromFileImage(image.data(), static_cast<int>(image.size()), 1, -1),
              -1);
    EXPECT_NE(ReadLog().find(std::string(layer::kSoundTableFullText).substr(0, 20)),
              std::string::npos);

    const int top = handles.back();
    ASSERT_EQ(layer::DeleteSoundHandle(top, 0), 0);
    const int again =
        layer::CreateSoundFromFileImage(image.data(), static_cast<int>(image.size()), 1, -1);
    EXPECT_EQ(again & 0xFFFF, top & 0xFFFF);
    EXPECT_NE(again, top);
    EXPECT_EQ(layer::PlaySoundHandle(top, 1, 1), -1);
    EXPECT_EQ(layer::DeleteAllSoundHandles(0), 0);
    EXPECT_EQ(layer::sound_system.sounds.count(), 0);
    EXPECT_EQ(platform::TheAudioMixer().BufferCount(), 1) << "only the silent buffer is left";
}

TEST_F(SoundSystemTest, TheLoadModeTakesZeroToThree) {
    EXPECT_EQ(layer::StoreSoundLoadMode(2), 0);
    EXPECT_EQ(layer::StoreSoundLoadMode(4), -1);
    EXPECT_EQ(layer::GetSoundLoadMode(), 2);
    EXPECT_EQ(layer::StoreSoundLoadMode(-1), -1);
    EXPECT_EQ(layer::GetSoundLoadMode(), 2);
}

TEST_F(SoundSystemTest, DamagedOrEmptyFilesLogAndFailWithoutEndingTheProgram) {
    const std::vector<std::uint8_t> whole = tools::WriteWav(kMonoSecond);
    const std::vector<std::uint8_t> empty = tools::WriteWav(tools::PcmSound{1, 44100, {}});
    const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + 30);
    const std::vector<std::uint8_t> noise(200, 0x5A);
    const std::size_t live = layer::ReadTrackedTotals().count;
    for (const auto* bytes : {&empty, &cut, &noise}) {
        EXPECT_EQ(
            layer::CreateSoundFromFileImage(bytes->data(), static_cast<int>(bytes->size()), 1, -1),
            -1);
    }
    EXPECT_EQ(layer::sound_system.sounds.count(), 0);
    EXPECT_EQ(layer::ReadTrackedTotals().count, live);
    EXPECT_NE(ReadLog().find(layer::kPcmConversionFailedText), std::string::npos);
}

}  // namespace
}  // namespace test
