#include "platform/audio/midi_synth.h"

#include <gtest/gtest.h>

#include "platform/audio/audio_mixer.h"
#include "tools/lib/smf_writer.h"
#include "tools/lib/sound_tones.h"

namespace {

constexpr const char* kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
// 480 ticks per quarter note at the default 500,000 µs: 960 ticks a second.
constexpr int kDivision = 480;

// A chord on every quarter note for 16 quarters (a seek skips notes begun before it).
std::vector<std::uint8_t> Chords() {
    tools::MidiTrack track{tools::ProgramChange(0, 0, 0)};
    for (std::uint32_t beat = 0; beat < 16; ++beat) {
        for (const int key : {60, 64, 67}) {
            track.push_back(tools::NoteOn(beat * kDivision, 0, key, 110));
            track.push_back(tools::NoteOff(beat * kDivision + kDivision / 2, 0, key));
        }
    }
    return tools::WriteSmf(0, kDivision, {track});
}

std::vector<std::int16_t> RenderSeconds(double seconds) {
    std::vector<std::int16_t> out(static_cast<std::size_t>(seconds * platform::kMixRate) * 2);
    platform::TheAudioMixer().Render(out.data(), static_cast<int>(out.size() / 2));
    return out;
}

class MidiSynthTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(platform::CanOpenSoundFont(kSoundFont));
        platform::StartMidiSynthLoading(kSoundFont);
        ASSERT_TRUE(platform::WaitForMidiSynth());
    }
    void TearDown() override { platform::EndMidiSynth(); }
};

TEST_F(MidiSynthTest, PlaysAFileAudiblyAndPausesAtItsTick) {
    const std::vector<std::uint8_t> file = Chords();
    ASSERT_TRUE(platform::PlayMidiFile(file.data(), file.size(), 0));
    EXPECT_GT(tools::PeakOf(RenderSeconds(0.5)), 1000);
    const int tick = platform::GetMidiFileTick();
    EXPECT_NEAR(tick, 480, 30);

    platform::PauseMidiFile();
    RenderSeconds(1.0);
    EXPECT_EQ(platform::GetMidiFileTick(), tick);
    EXPECT_LT(tools::PeakOf(RenderSeconds(0.2)), 50) << "every note was silenced";

    ASSERT_TRUE(platform::ResumeMidiFile(tick));
    EXPECT_GT(tools::PeakOf(RenderSeconds(0.5)), 1000);
    EXPECT_NEAR(platform::GetMidiFileTick(), tick + 480, 30);
}

TEST_F(MidiSynthTest, TheTempoFactorAndTheStartTickMoveThePlayer) {
    const std::vector<std::uint8_t> file = Chords();
    platform::SetMidiTempoFactor(2.0);
    ASSERT_TRUE(platform::PlayMidiFile(file.data(), file.size(), 2000));
    RenderSeconds(0.5);
    EXPECT_NEAR(platform::GetMidiFileTick(), 2000 + 960, 40);
    platform::StopMidiFile();
    EXPECT_EQ(platform::GetMidiFileTick(), -1);
    EXPECT_FALSE(platform::ResumeMidiFile(0));
}

TEST_F(MidiSynthTest, TheGainScalesTheVoice) {
    const std::vector<std::uint8_t> file = Chords();
    ASSERT_TRUE(platform::PlayMidiFile(file.data(), file.size(), 0));
    platform::SetMidiGain(0.0f);
    EXPECT_EQ(tools::PeakOf(RenderSeconds(0.3)), 0);
    platform::SetMidiGain(1.0f);
    EXPECT_GT(tools::PeakOf(RenderSeconds(0.3)), 1000);
}

TEST(MidiSynth, AMissingSoundFontCannotBeOpenedOrLoaded) {
    EXPECT_FALSE(platform::CanOpenSoundFont("/nonexistent/none.sf2"));
    platform::StartMidiSynthLoading("/nonexistent/none.sf2");
    EXPECT_FALSE(platform::WaitForMidiSynth());
    const std::uint8_t file[4] = {};
    EXPECT_FALSE(platform::PlayMidiFile(file, sizeof file, 0));
    platform::EndMidiSynth();
}

}  // namespace
