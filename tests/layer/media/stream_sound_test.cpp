#include <gtest/gtest.h>

#include "layer/media/sound_texts.h"
#include "layer/media/stream_sound.h"
#include "tests/layer/media/sound_fixture.h"

namespace test {
namespace {

using layer::FindSound;

constexpr int kRate = 22050;

class StreamSoundTest : public SoundSystemTest {
  protected:
    void SetUp() override {
        SoundSystemTest::SetUp();
        layer::StoreSoundLoadMode(2);
    }

    static int LoadStream(const tools::PcmSound& sound, int share = -1) {
        const std::vector<std::uint8_t> image = tools::WriteWav(sound);
        return layer::CreateSoundFromFileImage(image.data(), static_cast<int>(image.size()), 1,
                                               share);
    }
    static int AddSource(int handle, const tools::PcmSound& sound, int repeat) {
        const std::vector<std::uint8_t> image = tools::WriteWav(sound);
        return layer::AddStreamImage(image.data(), static_cast<int>(image.size()), repeat, handle,
                                     2, -1);
    }

    // Plays on for the time, servicing the streams every 50 ms as the message pump would.
    void PlayFor(int milliseconds) const {
        for (int passed = 0; passed < milliseconds; passed += 50) {
            Advance(50);
            layer::ServiceStreamSounds();
        }
    }

    // The pitch of the mix over a stretch of the capture taken so far, in seconds.
    static double PitchAt(const std::vector<std::int16_t>& capture, double from, double length) {
        return tools::MeasurePitch(capture, 2, platform::kMixRate,
                                   static_cast<std::size_t>(from * platform::kMixRate),
                                   static_cast<std::size_t>(length * platform::kMixRate));
    }

    static tools::PcmSound Tone(double hertz, double seconds) {
        return tools::SineTone(1, kRate, hertz, seconds, 0.5);
    }
};

TEST_F(StreamSoundTest, TheRingHoldsSixSecondsPrimesFourAndPassesTopItUp) {
    const int sound = LoadStream(tools::SineTone(2, 44100, 440, 10.0, 0.5));
    ASSERT_NE(sound, -1);
    const layer::SoundRecord* record = FindSound(sound);
    EXPECT_EQ(record->stream_flag, 1);
    EXPECT_EQ(record->ring_size, 1'058'400);
    EXPECT_EQ(record->write_offset, 705'600);
    EXPECT_EQ(record->low_water, 0);
    layer::PlaySoundHandle(sound, 1, 1);
    Advance(100);
    layer::ServiceStreamSounds();
    EXPECT_EQ(record->write_offset, 705'600 + 22'048) << "4 seconds or less but 3 or more ahead";
    Advance(2000);
    layer::ServiceStreamSounds();
    // 2.1 s played: the pass writes up to 3 seconds ahead, in 1/128 s, in whole blocks.
    const int written = 705'600 + 22'048;
    const int eighths = (written - 370'440) * 128 / 176'400;
    EXPECT_EQ(record->write_offset, written + (384 - eighths) * 176'400 / 128 / 4 * 4);
}

TEST_F(StreamSoundTest, AStreamThatDoesNotLoopStopsByItselfAfterItsEnd) {
    const int sound = LoadStream(Tone(440, 1.0));
    layer::PlaySoundHandle(sound, 1, 1);
    PlayFor(800);
    EXPECT_EQ(layer::IsSoundHandlePlaying(sound), 1);
    PlayFor(600);
    EXPECT_EQ(layer::IsSoundHandlePlaying(sound), 0);
    const std::vector<std::int16_t> capture = platform::TakeManualAudioCapture();
    EXPECT_NEAR(PitchAt(capture, 0.2, 0.6), 440, 5);
    EXPECT_LT(tools::PeakOf(
                  std::vector<std::int16_t>(capture.begin() + 44100 * 2 * 11 / 10, capture.end())),
              10)
        << "silence after the end";
}

TEST_F(StreamSoundTest, LoopingPlaysTheSourcesInTurnWithoutAGap) {
    const int sound = LoadStream(Tone(300, 1.0));
    ASSERT_EQ(AddSource(sound, Tone(600, 1.0), 0), 0);
    EXPECT_EQ(layer::GetSoundHandleLengthMs(sound), 2000);
    layer::PlaySoundHandle(sound, 3, 1);
    PlayFor(3000);
    const std::vector<std::int16_t> capture = platform::TakeManualAudioCapture();
    EXPECT_NEAR(PitchAt(capture, 0.1, 0.8), 300, 5);
    EXPECT_NEAR(PitchAt(capture, 1.1, 0.8), 600, 5);
    EXPECT_NEAR(PitchAt(capture, 2.1, 0.8), 300, 5);
    EXPECT_NEAR(layer::GetSoundHandlePlayPositionMs(sound), 1000, 60) << "the position wraps";
}

TEST_F(StreamSoundTest, ARepeatCountOfTwoPlaysASourceThreeTimes) {
    const int sound = layer::AddSoundData(-1);
    ASSERT_EQ(AddSource(sound, Tone(300, 0.5), 2), 0);
    ASSERT_EQ(AddSource(sound, Tone(600, 0.5), 0), 0);
    layer::PlaySoundHandle(sound, 1, 1);
    PlayFor(2500);
    const std::vector<std::int16_t> capture = platform::TakeManualAudioCapture();
    EXPECT_NEAR(PitchAt(capture, 0.05, 1.4), 300, 5);
    EXPECT_NEAR(PitchAt(capture, 1.55, 0.4), 600, 5);
    EXPECT_EQ(layer::IsSoundHandlePlaying(sound), 0);
}

TEST_F(StreamSoundTest, AfterALoopJumpThePositionGoesOnFromTheLoopPoint) {
    const int sound = LoadStream(tools::SteppedTone(1, kRate, 30));
    ASSERT_EQ(layer::SetSoundLoopPointMs(10000, sound), 0);
    layer::PlaySoundHandle(sound, 3, 1);
    PlayFor(29000);
    EXPECT_NEAR(layer::GetSoundHandlePlayPositionMs(sound), 29000, 60);
    PlayFor(2000);
    EXPECT_NEAR(layer::GetSoundHandlePlayPositionMs(sound), 11000, 60);
    const std::vector<std::int16_t> capture = platform::TakeManualAudioCapture();
    EXPECT_NEAR(PitchAt(capture, 29.1, 0.8), 200 + 100 * 29, 10);
    EXPECT_NEAR(PitchAt(capture, 30.1, 0.8), 200 + 100 * 10, 10) << "second 10 after second 29";
}

TEST_F(StreamSoundTest, PositionsAndSeeksReadOffASteppedTone) {
    const int sound = LoadStream(tools::SteppedTone(1, kRate, 30));
    EXPECT_EQ(layer::GetSoundHandleLengthMs(sound), 30000);
    ASSERT_EQ(layer::SetSoundHandlePositionMs(12500, sound), 0);
    layer::PlaySoundHandle(sound, 1, 0);
    PlayFor(2000);
    EXPECT_NEAR(layer::GetSoundHandlePlayPositionMs(sound), 14500, 60);
    std::vector<std::int16_t> capture = platform::TakeManualAudioCapture();
    EXPECT_NEAR(PitchAt(capture, 0.1, 0.35), 200 + 100 * 12, 10);
    EXPECT_NEAR(PitchAt(capture, 0.6, 0.8), 200 + 100 * 13, 10);

    // Seeking a playing stream stops it, so its ring does not loop what it holds.
    ASSERT_EQ(layer::SetSoundHandlePositionMs(3000, sound), 0);
    EXPECT_EQ(layer::IsSoundHandlePlaying(sound), 0);
    EXPECT_EQ(layer::GetSoundHandlePlayPositionMs(sound), 3000);
    EXPECT_EQ(layer::SetSoundHandlePositionMs(30000, sound), -1);
    EXPECT_EQ(layer::GetSoundHandlePlayPositionMs(sound), 3000) << "a refused seek changes nothing";
    layer::PlaySoundHandle(sound, 1, 0);
    PlayFor(500);
    capture = platform::TakeManualAudioCapture();
    EXPECT_NEAR(PitchAt(capture, capture.size() / 2.0 / platform::kMixRate - 0.4, 0.35),
                200 + 100 * 3, 10);
}

TEST_F(StreamSoundTest, StoppingPausesAndARestartBeginsAgain) {
    const int sound = LoadStream(tools::SteppedTone(1, kRate, 10));
    layer::PlaySoundHandle(sound, 1, 1);
    PlayFor(2500);
    layer::StopSoundHandle(sound);
    PlayFor(1000);
    EXPECT_NEAR(layer::GetSoundHandlePlayPositionMs(sound), 2500, 60);
    layer::PlaySoundHandle(sound, 1, 0);
    PlayFor(500);
    EXPECT_NEAR(layer::GetSoundHandlePlayPositionMs(sound), 3000, 60);
    layer::PlaySoundHandle(sound, 1, 1);
    PlayFor(500);
    EXPECT_NEAR(layer::GetSoundHandlePlayPositionMs(sound), 500, 60);
}

TEST_F(StreamSoundTest, SourcesAreThreeAtMostAndOfOneFormat) {
    const int sound = LoadStream(Tone(300, 0.2));
    EXPECT_EQ(AddSource(sound, Tone(400, 0.2), 0), 0);
    EXPECT_EQ(AddSource(sound, Tone(500, 0.2), 0), 0);
    EXPECT_EQ(AddSource(sound, Tone(600, 0.2), 0), -1);
    EXPECT_NE(ReadLog().find(std::string(layer::kStreamSourcesFullText).substr(0, 20)),
              std::string::npos);
    const int other = LoadStream(Tone(300, 0.2));
    EXPECT_EQ(AddSource(other, tools::SineTone(2, kRate, 400, 0.2, 0.5), 0), -1);
    EXPECT_NE(ReadLog().find(layer::kStreamFormatMismatchText), std::string::npos);
    EXPECT_EQ(layer::SetSoundLoopPointMs(100, sound), 0) << "refused, yet 0";
    EXPECT_NE(ReadLog().find(std::string(layer::kLoopPointManySourcesText).substr(0, 20)),
              std::string::npos);
    EXPECT_EQ(FindSound(sound)->sources[0].repeat_count, 0);
}

TEST_F(StreamSoundTest, ALoopPointTurnsAPlainSoundIntoAStreamUnderItsHandle) {
    layer::StoreSoundLoadMode(0);
    const int sound = LoadSound(Tone(300, 1.0), 3);
    ASSERT_EQ(FindSound(sound)->stream_flag, 0);
    ASSERT_EQ(layer::SetSoundLoopPointMs(500, sound), 0);
    ASSERT_NE(FindSound(sound), nullptr);
    EXPECT_EQ(FindSound(sound)->stream_flag, 1);
    EXPECT_EQ(FindSound(sound)->sources[0].loop_sample, kRate / 2);
    layer::PlaySoundHandle(sound, 3, 1);
    PlayFor(1800);
    EXPECT_NEAR(layer::GetSoundHandlePlayPositionMs(sound), 800, 60)
        << "1 s, then 0.5 to 1 s again";
}

TEST_F(StreamSoundTest, AStreamWithoutSourcesDoesNotPlay) {
    const int sound = layer::AddSoundData(-1);
    FindSound(sound)->stream_flag = 1;
    EXPECT_EQ(layer::PlaySoundHandle(sound, 3, 1), -1);
    EXPECT_EQ(layer::DeleteSoundHandle(sound, 0), 0);
}

TEST_F(StreamSoundTest, ASharedRingServesOneSoundAtATimeAndOutlivesItsOwner) {
    const int owner = LoadStream(Tone(300, 2.0));
    const int sharer = LoadStream(Tone(600, 2.0), owner);
    ASSERT_EQ(FindSound(sharer)->owner, owner);
    EXPECT_EQ(FindSound(owner)->sharer_count, 1);
    layer::PlaySoundHandle(owner, 3, 1);
    PlayFor(500);
    layer::PlaySoundHandle(sharer, 3, 1);
    EXPECT_EQ(layer::IsSoundHandlePlaying(owner), 0) << "the sharer took the ring over";
    PlayFor(500);
    EXPECT_EQ(layer::IsSoundHandlePlaying(sharer), 1);
    const std::vector<std::int16_t> capture = platform::TakeManualAudioCapture();
    EXPECT_NEAR(PitchAt(capture, 0.6, 0.35), 600, 10);

    EXPECT_EQ(layer::DeleteSoundHandle(owner, 0), 0);
    EXPECT_NE(FindSound(owner), nullptr) << "kept while shared";
    EXPECT_EQ(layer::DeleteSoundHandle(sharer, 0), 0);
    EXPECT_EQ(FindSound(owner), nullptr);
    EXPECT_EQ(layer::sound_system.sounds.count(), 0);
}

TEST_F(StreamSoundTest, ReadingFromTheFileWhilePlayingGivesTheSameSound) {
    const std::vector<std::uint8_t> image = tools::WriteWav(tools::SteppedTone(1, kRate, 3));
    tree.write("steps.wav", std::string(image.begin(), image.end()));
    layer::StoreSoundLoadMode(3);
    const int sound = layer::BuildSoundFromFile("steps.wav", 1, -1);
    ASSERT_NE(sound, -1);
    EXPECT_EQ(FindSound(sound)->sources[0].storage_type, 3);
    layer::PlaySoundHandle(sound, 1, 1);
    PlayFor(3500);
    const std::vector<std::int16_t> capture = platform::TakeManualAudioCapture();
    EXPECT_NEAR(PitchAt(capture, 2.1, 0.8), 400, 10);
    EXPECT_EQ(layer::DeleteSoundHandle(sound, 0), 0);
}

}  // namespace
}  // namespace test
