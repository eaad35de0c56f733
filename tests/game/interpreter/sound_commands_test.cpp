// The sound and speech commands on the sound manager's entries, which record their calls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/presentation/pending_presentation_calls.h"
#include "tests/game/interpreter/map_command_fixture.h"
#include "tests/support/sjis.h"

namespace game {
namespace {

constexpr std::int32_t kMusic = 0x00;
constexpr std::int32_t kBackgroundSound = 0x10;
constexpr std::int32_t kEffect = 0x20;
constexpr std::int32_t kLoad = 1;
constexpr std::int32_t kRelease = 2;
constexpr std::int32_t kFromValue = 1 << 24;
constexpr std::int32_t kFromFileName = 2 << 24;

class SoundCommands : public MapCommandTest {
  protected:
    void SetUp() override {
        MapCommandTest::SetUp();
        PlayedSounds.clear();
        SoundCalls.clear();
        StandInSoundEntry = 105;
    }
    void TearDown() override {
        StandInSoundEntry = -10;
        StandInSpeechLoaded = false;
        MapCommandTest::TearDown();
    }
};

TEST_F(SoundCommands, ListEntriesByNumber) {
    struct Case {
        const char* name;
        std::vector<std::int32_t> args;
        std::vector<PlayedSound> played;
        std::vector<SoundCall> calls;
    } const cases[] = {
        {"PlayFromTheOptions", {kEffect | 7 << 8, 3, 0, 250}, {{2, 7, 3, 250}}, {}},
        {"AShortLineStartsAtZero", {kMusic | 4 << 8, 20}, {{0, 4, 20, 0}}, {}},
        {"AllBitsOfTheNumberStop", {kMusic | 0xFFFF << 8, 20}, {{0, -1, 20, 0}}, {}},
        {"PlayFromAValue", {kBackgroundSound | kFromValue, 5, VarId(1)}, {{1, 9, 5, 0}}, {}},
        {"MinusOneFromAValueStops", {kBackgroundSound | kFromValue, 5, -1}, {{1, -1, 5, 0}}, {}},
        {"MinusTwoPlaysNothing", {kMusic | kFromValue, 5, -2}, {}, {}},
        {"Load", {kEffect | kLoad | 6 << 8}, {}, {{"LoadSoundByNumber", "", {2, 6}}}},
        {"MinusTwoLoadsNothing", {kEffect | kLoad | kFromValue, 0, -2}, {}, {}},
        {"Release", {kMusic | kRelease | 3 << 8}, {}, {{"ReleaseSoundByNumber", "", {0, 3}}}},
        {"ReleaseOfMinusOneFromAValueDoesNothing", {kMusic | kRelease | kFromValue, 0, -1}, {}, {}},
        {"AnUnknownOperation", {kMusic | 3 | 4 << 8, 20}, {}, {}},
        {"AnUnknownKind", {0x30 | 4 << 8, 20}, {}, {}},
        {"AnUnknownSource", {kMusic | 3 << 24, 20, 4}, {}, {}},
    };
    V(1) = 9;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlayedSounds.clear();
        SoundCalls.clear();
        std::vector<std::int32_t> args = c.args;
        RunLine(140, args);
        EXPECT_EQ(PlayedSounds, c.played);
        EXPECT_EQ(SoundCalls, c.calls);
    }
}

TEST_F(SoundCommands, AFileNameIsExpandedRevertedRegisteredAndPlayed) {
    V(3) = 7;
    RunLine(140, {kMusic | kFromFileName, 30, 0, 1500, 80, 120, 2000}, {"BGM/\\v[3]\\^.ogg"});
    EXPECT_EQ(
        SoundCalls,
        (std::vector<SoundCall>{{"RegisterSoundFile", "BGM/7\\^.ogg", {0, 30, 2000, 80, 120}}}));
    EXPECT_EQ(PlayedSounds, (std::vector<PlayedSound>{{0, 105, 30, 1500}}));

    // A sound effect takes no fourth value.
    SoundCalls.clear();
    RunLine(140, {kEffect | kFromFileName, 0, 0, 0, 0, 0, 1}, {"step.wav"});
    ASSERT_EQ(SoundCalls.size(), 1U);
    EXPECT_EQ(SoundCalls[0].values, (std::vector<int>{2, 0, 0, 0, 0}));

    // The sound that already plays only changes its volume.
    PlayedSounds.clear();
    StandInSoundEntry = -10;
    RunLine(140, {kBackgroundSound | kFromFileName, 30}, {"rain.ogg"});
    EXPECT_TRUE(PlayedSounds.empty());
}

TEST_F(SoundCommands, TheFadeIsReadToRegisterAndAgainToPlay) {
    const auto d = Draws(6);
    RunLine(140,
            {kMusic | kFromFileName, kRandom100, 0, kRandom100, kRandom100, kRandom100, kRandom100},
            {"a.ogg"});
    ASSERT_EQ(SoundCalls.size(), 1U);
    EXPECT_EQ(SoundCalls[0].values, (std::vector<int>{0, d[0], d[1], d[2], d[3]}));
    EXPECT_EQ(PlayedSounds, (std::vector<PlayedSound>{{0, 105, d[5], d[4]}}));
}

TEST_F(SoundCommands, SpeechWithoutTheLibraryReportsAtEachCommand) {
    tools::CommandListBuilder list;
    list.Add(141, {100, 100, 100, 0}, {"hello"}).Add(141, {100, 100, 100, 0}, {"again"});
    Run(list);
    ASSERT_EQ(reports.errors().size(), 2U);
    EXPECT_EQ(reports.errors()[0].line1,
              test::Sjis(u8"【エラー】 合成音声再生コマンドが実行されましたが、"));
    EXPECT_EQ(reports.errors()[0].line2,
              test::Sjis(u8"AquesTalk.dllがないため実行できませんでした。"));
    EXPECT_TRUE(SoundCalls.empty());
    EXPECT_TRUE(PlayedSounds.empty());
}

TEST_F(SoundCommands, SpeechIsSynthesisedAndPlayedAsAnEffect) {
    StandInSpeechLoaded = true;
    V(2) = 4;
    const auto d = Draws(3);
    RunLine(141, {kRandom100, kRandom100, kRandom100, 6}, {"\\v[2]"});
    EXPECT_EQ(SoundCalls, (std::vector<SoundCall>{{"SynthesizeSpeech", "4", {d[1], d[0], d[2]}}}));
    EXPECT_EQ(PlayedSounds, (std::vector<PlayedSound>{{2, 105, 6, 0}}));

    PlayedSounds.clear();
    StandInSoundEntry = -10;
    RunLine(141, {100, 100, 100, 6}, {"x"});
    EXPECT_TRUE(PlayedSounds.empty());
    EXPECT_TRUE(reports.errors().empty());
}

}  // namespace
}  // namespace game
