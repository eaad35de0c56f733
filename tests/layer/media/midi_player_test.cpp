#include <gtest/gtest.h>

#include "layer/media/builtin_midi_player.h"
#include "layer/media/smf_tempo_map.h"
#include "platform/audio/audio_mixer.h"
#include "platform/audio/midi_synth.h"
#include "tools/lib/smf_writer.h"
#include "tools/lib/sound_tones.h"

namespace test {
namespace {

constexpr int kDivision = 480;

// A chord every quarter note; 500,000 µs a quarter (960 ticks a second) until tick 960, then
// 250,000 µs (1,920 ticks a second), in a tempo track beside the notes.
std::vector<std::uint8_t> TwoTempoSong() {
    tools::MidiTrack tempo{tools::TempoChange(0, 500000), tools::TempoChange(960, 250000)};
    tools::MidiTrack notes{tools::ProgramChange(0, 0, 0)};
    for (std::uint32_t beat = 0; beat < 64; ++beat) {
        for (const int key : {60, 64, 67}) {
            notes.push_back(tools::NoteOn(beat * kDivision, 0, key, 110));
            notes.push_back(tools::NoteOff(beat * kDivision + kDivision / 2, 0, key));
        }
    }
    return tools::WriteSmf(1, kDivision, {tempo, notes});
}

TEST(SmfTempoMap, TurnsMillisecondsIntoTicksAcrossTempoChanges) {
    const std::vector<std::uint8_t> song = TwoTempoSong();
    layer::SmfTempoMap map;
    ASSERT_TRUE(layer::ParseSmfTempoMap(song.data(), song.size(), &map));
    EXPECT_EQ(map.division, kDivision);
    ASSERT_EQ(map.changes.size(), 2u);
    const std::pair<int, int> cases[] = {
        {0, 0}, {500, 480}, {1000, 960}, {1500, 1920}, {2000, 2880}};
    for (const auto& [milliseconds, tick] : cases) {
        EXPECT_EQ(layer::SmfTickAtMilliseconds(map, milliseconds), tick) << milliseconds;
    }
    // No tempo event: 120 beats a minute.
    const std::vector<std::uint8_t> plain = tools::WriteSmf(0, 96, {{tools::NoteOn(0, 0, 60, 90)}});
    ASSERT_TRUE(layer::ParseSmfTempoMap(plain.data(), plain.size(), &map));
    EXPECT_EQ(layer::SmfTickAtMilliseconds(map, 1000), 192);
}

TEST(SmfTempoMap, TimeCodeDivisionCountsTicksPerSecond) {
    std::vector<std::uint8_t> song = tools::WriteSmf(0, 0xE728, {{}});  // 25 frames of 40 ticks
    layer::SmfTempoMap map;
    ASSERT_TRUE(layer::ParseSmfTempoMap(song.data(), song.size(), &map));
    EXPECT_EQ(layer::SmfTickAtMilliseconds(map, 1500), 1500);
}

TEST(SmfTempoMap, DamagedFilesReadAsFarAsTheyGo) {
    const std::vector<std::uint8_t> song = TwoTempoSong();
    layer::SmfTempoMap map;
    for (std::size_t cut = 0; cut < 40; ++cut) {
        if (layer::ParseSmfTempoMap(song.data(), cut, &map)) {
            EXPECT_GE(cut, 14u);
            EXPECT_LE(map.changes.size(), 2u);
        }
    }
    const std::vector<std::uint8_t> noise(100, 0xFF);
    EXPECT_FALSE(layer::ParseSmfTempoMap(noise.data(), noise.size(), &map));
}

std::vector<std::int16_t> RenderSeconds(double seconds) {
    std::vector<std::int16_t> out(static_cast<std::size_t>(seconds * platform::kMixRate) * 2);
    platform::TheAudioMixer().Render(out.data(), static_cast<int>(out.size() / 2));
    return out;
}

class BuiltInMidiPlayer : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(GGSSetDevice(-1, 0), 0);
        song_ = TwoTempoSong();
        ASSERT_EQ(GGSReadList(song_.data(), static_cast<int>(song_.size()), 1, 3), 0);
    }
    void TearDown() override { GGSFree(); }

    std::vector<std::uint8_t> song_;
};

TEST_F(BuiltInMidiPlayer, PlaysAListAudiblyAndEachPauseToggles) {
    ASSERT_EQ(GGSPlay(1, 3, 0), 0);
    EXPECT_GT(tools::PeakOf(RenderSeconds(0.5)), 1000);
    EXPECT_NEAR(platform::GetMidiFileTick(), 480, 30);
    GGSPause();
    const int tick = platform::GetMidiFileTick();
    RenderSeconds(0.3);
    EXPECT_LT(tools::PeakOf(RenderSeconds(0.3)), 50);
    GGSPause();
    RenderSeconds(0.25);
    EXPECT_NEAR(platform::GetMidiFileTick(), tick + 240, 30) << "resumed where it paused";
    GGSMasterVolume(-127);
    EXPECT_EQ(tools::PeakOf(RenderSeconds(0.2)), 0);
    GGSMasterVolume(0);
    EXPECT_GT(tools::PeakOf(RenderSeconds(0.5)), 1000);
    GGSStop();
    EXPECT_EQ(platform::GetMidiFileTick(), -1);
}

TEST_F(BuiltInMidiPlayer, StartsPastATempoChangeAtItsTickAndDepthFiftyDoublesTheTempo) {
    ASSERT_EQ(GGSPlay(1, 3, 1500), 0);
    RenderSeconds(0.01);
    EXPECT_NEAR(platform::GetMidiFileTick(), 1920, 30);
    GGSTempoDepth(50);
    RenderSeconds(0.25);
    EXPECT_NEAR(platform::GetMidiFileTick(), 1920 + 2 * 480, 40);
    GGSTempoDepth(-100);
    RenderSeconds(0.5);
    EXPECT_NEAR(platform::GetMidiFileTick(), 1920 + 2 * 480 + 480, 40) << "half the tempo";
}

TEST_F(BuiltInMidiPlayer, UnknownOrDeletedListsDoNotPlay) {
    EXPECT_EQ(GGSPlay(1, 4, 0), -1);
    GGSDeleteList(3);
    EXPECT_EQ(GGSPlay(1, 3, 0), -1);
    EXPECT_EQ(GGSReadList(nullptr, 10, 1, 5), -1);
    EXPECT_NE(layer::FindBuiltInMidiEntry("GGSPlay"), nullptr);
    EXPECT_EQ(layer::FindBuiltInMidiEntry("GGSViewList"), nullptr);
}

}  // namespace
}  // namespace test
