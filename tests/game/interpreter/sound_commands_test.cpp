// The sound and speech commands on the sound manager over recorded layer calls.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "game/presentation/speech.h"
#include "tests/game/interpreter/map_command_fixture.h"
#include "tests/game/presentation/sound_fixture.h"
#include "tests/support/outside_library_log.h"
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
// System variable 0, which a leading "@" line of an expanded text sets.
constexpr std::int32_t kSpareSystemValueId = 9000000;

// The calls that show what was loaded, started and removed.
const std::vector<std::string> kShownCalls = {"LoadSoundFromMemory", "LoadSoundFromMemorySingle",
                                              "SetSoundHandlePositionMs", "StartSound",
                                              "RemoveSound"};

class SoundCommands : public MapCommandTest, protected SoundGround {
  protected:
    void SetUp() override {
        MapCommandTest::SetUp();
        SetUpSoundLists();
        for (int kind = 0; kind <= 2; ++kind) {
            for (int number = 0; number < kListed; ++number)
                SetEntry(kind, number,
                         "s" + std::to_string(kind) + std::to_string(number) + ".ogg");
        }
    }
    void TearDown() override {
        TearDownSoundLists();
        MapCommandTest::TearDown();
    }

    // Music 1 (handle 101) and background sound 1 (102) play, effect 0 (103) is loaded.
    void StartMusicAndBackgroundSound() {
        TheSoundManager = SoundManager();
        TheSoundManager.ResetSoundFormatFlags();
        TheMainInterpreter.CurrentMusicNumber = -1;
        TheMainInterpreter.CurrentBgsNumber = -1;
        sounds_.Reset();
        TheSoundManager.PlaySoundByNumber(0, 1, 0, 0);
        TheSoundManager.PlaySoundByNumber(1, 1, 0, 0);
        TheSoundManager.LoadSoundByNumber(2, 0);
        sounds_.Clear();
    }

    // The current music and background sound, the queued effects (handle/delay) and the
    // shown layer calls.
    std::string Outcome() const {
        std::string text = "music " + std::to_string(TheMainInterpreter.CurrentMusicNumber) +
                           " bgs " + std::to_string(TheMainInterpreter.CurrentBgsNumber) +
                           " effects";
        const SoundEffectQueue& queue = TheSoundManager.EffectQueue;
        for (std::size_t i = 0; i < queue.QueuedHandle.size(); ++i)
            text += " " + std::to_string(queue.QueuedHandle[i]) + "/" +
                    std::to_string(queue.QueuedDelay[i]);
        for (const std::string& call : sounds_.CallsNamed(kShownCalls))
            text += " " + call;
        return text;
    }
};

TEST_F(SoundCommands, ListEntriesByNumber) {
    struct Case {
        const char* name;
        std::vector<std::int32_t> args;
        const char* outcome;
    } const cases[] = {
        {"PlayFromTheOptions",
         {kMusic | 2 << 8, 3, 0, 250},
         "music 2 bgs 1 effects LoadSoundFromMemorySingle(4,-1) "
         "SetSoundHandlePositionMs(250,104) StartSound(104,3,0)"},
        {"AShortLineStartsAtZero",
         {kMusic | 2 << 8, 20},
         "music 2 bgs 1 effects LoadSoundFromMemorySingle(4,-1) StartSound(104,3,1)"},
        {"AnEffectIsQueuedWithItsDelay",
         {kEffect | 3 << 8, 6, 0, 250},
         "music 1 bgs 1 effects 104/6 LoadSoundFromMemory(4,5,-1)"},
        {"AllBitsOfTheNumberStop", {kMusic | 0xFFFF << 8, 20}, "music -1 bgs 1 effects"},
        {"PlayFromAValue",
         {kBackgroundSound | kFromValue, 5, VarId(1)},
         "music 1 bgs 2 effects LoadSoundFromMemorySingle(4,-1) StartSound(104,3,1)"},
        {"MinusOneFromAValueStops",
         {kBackgroundSound | kFromValue, 5, -1},
         "music 1 bgs -1 effects"},
        {"MinusTwoPlaysNothing", {kMusic | kFromValue, 5, -2}, "music 1 bgs 1 effects"},
        {"Load", {kEffect | kLoad | 2 << 8}, "music 1 bgs 1 effects LoadSoundFromMemory(4,5,-1)"},
        {"Release", {kEffect | kRelease | 0 << 8}, "music 1 bgs 1 effects RemoveSound(103,0)"},
        {"AnUnknownOperation", {kMusic | 3 | 2 << 8, 20}, "music 1 bgs 1 effects"},
        {"AnUnknownKind", {0x30 | 2 << 8, 20}, "music 1 bgs 1 effects"},
        {"AnUnknownSource", {kMusic | 3 << 24, 20, 2}, "music 1 bgs 1 effects"},
    };
    V(1) = 2;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartMusicAndBackgroundSound();
        std::vector<std::int32_t> args = c.args;
        RunLine(140, args);
        EXPECT_EQ(Outcome(), c.outcome);
    }
    EXPECT_TRUE(reports.errors().empty());
}

TEST_F(SoundCommands, AFileNameIsExpandedRevertedRegisteredAndPlayed) {
    StartMusicAndBackgroundSound();
    folder_.Write("Data/7/^.ogg", {1, 2, 3});
    V(3) = 7;
    RunLine(140, {kMusic | kFromFileName, 30, 0, 1500, 80, 120, 2000}, {"\\v[3]\\^.ogg"});
    EXPECT_EQ(SysDataBase.ReadDBString(1, kListed, 0), "Data\\7\\^.ogg");
    EXPECT_EQ(SysDataBase.ReadDBValue(1, kListed, 1), 80);
    EXPECT_EQ(SysDataBase.ReadDBValue(1, kListed, 2), 120);
    EXPECT_EQ(SysDataBase.ReadDBValue(1, kListed, 3), 2000);
    EXPECT_EQ(Outcome(),
              "music 4 bgs 1 effects LoadSoundFromMemorySingle(3,-1) "
              "SetSoundHandlePositionMs(1500,104) StartSound(104,3,0)");
    EXPECT_EQ(TheSoundManager.MusicFadeLength, 31);

    // A sound effect takes no fourth value.
    folder_.Write("Data/step.wav", {1});
    RunLine(140, {kEffect | kFromFileName, 0, 0, 0, 0, 0, 1}, {"step.wav"});
    EXPECT_EQ(SysDataBase.ReadDBValue(3, kListed, 3), 0);
    EXPECT_EQ(TheSoundManager.EffectQueue.QueuedHandle, std::vector<int>{105});
}

TEST_F(SoundCommands, ASoundThatAlreadyPlaysOnlyChangesItsVolume) {
    StartMusicAndBackgroundSound();
    folder_.Write("Data/rain.ogg", {1, 2});
    RunLine(140, {kBackgroundSound | kFromFileName, 30}, {"rain.ogg"});
    ASSERT_EQ(TheMainInterpreter.CurrentBgsNumber, kListed);
    sounds_.Clear();
    RunLine(140, {kBackgroundSound | kFromFileName, 30}, {"rain.ogg\n50"});
    EXPECT_EQ(TheSoundManager.BgsVolume, 50);
    EXPECT_EQ(TheMainInterpreter.CurrentBgsNumber, kListed);
    EXPECT_TRUE(sounds_.CallsNamed(kShownCalls).empty());
}

TEST_F(SoundCommands, TheFadeIsReadToRegisterAndAgainToPlay) {
    StartMusicAndBackgroundSound();
    folder_.Write("Data/a.ogg", {1, 2, 3});
    const auto d = Draws(6);
    RunLine(140,
            {kMusic | kFromFileName, kRandom100, 0, kRandom100, kRandom100, kRandom100, kRandom100},
            {"a.ogg"});
    EXPECT_EQ(SysDataBase.ReadDBValue(1, kListed, 3), d[1]);
    EXPECT_EQ(SysDataBase.ReadDBValue(1, kListed, 1), d[2]);
    EXPECT_EQ(SysDataBase.ReadDBValue(1, kListed, 2), d[3]);
    EXPECT_EQ(TheMainInterpreter.CurrentMusicNumber, kListed);
    EXPECT_EQ(TheSoundManager.MusicFadeLength, d[5] + 1);
    const std::string start =
        d[4] >= 1 ? "SetSoundHandlePositionMs(" + std::to_string(d[4]) + ",104) StartSound(104,3,0)"
                  : "StartSound(104,3,1)";
    EXPECT_EQ(Outcome(), "music 4 bgs 1 effects LoadSoundFromMemorySingle(3,-1) " + start);
}

class SpeechCommand : public SoundCommands {
  protected:
    void SetUp() override {
        SoundCommands::SetUp();
        folder_.UseAsGameFolder();
    }
    void TearDown() override {
        UnloadAquesTalk();
        SoundCommands::TearDown();
    }
};

TEST_F(SpeechCommand, WithoutTheLibraryEachCommandReports) {
    LoadAquesTalk();
    tools::CommandListBuilder list;
    list.Add(141, {100, 100, 100, 0}, {"hello"}).Add(141, {100, 100, 100, 0}, {"again"});
    Run(list);
    ASSERT_EQ(reports.errors().size(), 2U);
    EXPECT_EQ(reports.errors()[0].line1,
              test::Sjis(u8"【エラー】 合成音声再生コマンドが実行されましたが、"));
    EXPECT_EQ(reports.errors()[0].line2,
              test::Sjis(u8"AquesTalk.dllがないため実行できませんでした。"));
    EXPECT_TRUE(sounds_.Calls().empty());
    EXPECT_TRUE(TheSoundManager.EffectQueue.QueuedHandle.empty());
}

TEST_F(SpeechCommand, TheTextIsSpokenAndPlayedAsAnEffect) {
    std::filesystem::copy_file(QVARN_TEST_SPEECH_LIBRARY, folder_.tree().path("AquesTalk.so"));
    LoadAquesTalk();
    ASSERT_TRUE(CanSynthesizeSpeech());
    V(2) = 4;
    const auto d = Draws(3);
    RunLine(141, {kRandom100, kRandom100, kRandom100, 6}, {"\\v[2]"});
    const int frequency = std::max(d[2], 20);
    EXPECT_EQ(test::OutsideLibraryLog("AquesTalk", "TestSpeechCallLog"),
              "Synthe(4," + std::to_string(d[1] * 100 / frequency) + ");FreeWave;");
    EXPECT_EQ(SysDataBase.ReadDBValue(3, kListed, 1), d[0]);
    EXPECT_EQ(SysDataBase.ReadDBValue(3, kListed, 2), frequency);
    EXPECT_EQ(TheSoundManager.EffectQueue.QueuedHandle, std::vector<int>{101});
    EXPECT_EQ(TheSoundManager.EffectQueue.QueuedDelay, std::vector<int>{6});

    // An empty text makes nothing, and nothing is played.
    RunLine(141, {100, 100, 100, 6}, {""});
    EXPECT_EQ(TheSoundManager.EffectQueue.QueuedHandle.size(), 1U);
    EXPECT_TRUE(reports.errors().empty());
}

// With only the sound effects on, a stop of the music by all 16 bits of the number is kept
// as the number 65535, unsigned, as the save then stores it.
TEST_F(SoundCommands, AllBitsOfTheNumberAreKeptWhenMusicIsOff) {
    StartMusicAndBackgroundSound();
    SEandBGM = 1;
    RunLine(140, {kMusic | 0xFFFF << 8, 20});
    EXPECT_EQ(TheMainInterpreter.CurrentMusicNumber, 65535);
}

// The expansion each caller asks for: the sound file name and the spoken text take only the
// substitutions, on the map now loaded; the database text operand the full expansion and the
// internet texts the substitutions, both on the interpreter's map; all take a leading "@"
// line into system variable 0.
TEST_F(SpeechCommand, EachCallerExpandsItsTextByItsRow) {
    std::filesystem::copy_file(QVARN_TEST_SPEECH_LIBRARY, folder_.tree().path("AquesTalk.so"));
    LoadAquesTalk();
    ASSERT_TRUE(CanSynthesizeSpeech());
    constexpr int kLoadedMap = 2;
    constexpr int kInterpreterMap = 5;
    TheMapState.mapNumber = kLoadedMap;
    TheVariableStore.selfVariables.assign(kInterpreterMap + 1, {{0, 11}});
    TheVariableStore.selfVariables[kInterpreterMap][0][1] = 55;
    CDataBase = DataBase();
    CDataBase.types.resize(1);
    CDataBase.typeDescs.resize(1);
    CDataBase.types[0].contentCodes = {2000};
    CDataBase.ResizeDBDataList(0, 1);
    folder_.Write("Data/11/c[2].ogg", {1, 2, 3});
    constexpr std::int32_t kWriteTextMode = 2;

    struct Case {
        const char* caller;
        std::int32_t code;
        std::vector<std::int32_t> args;
        std::vector<std::string> strings;
        std::int32_t spareValue;
        std::string (*result)();
        std::string expanded;
    } const cases[] = {
        {"sound file name",
         140,
         {kMusic | kFromFileName, 0},
         {"@3\n\\self[1]\\c[2].ogg"},
         3,
         [] { return SysDataBase.ReadDBString(1, kListed, 0); },
         "Data\\11\\c[2].ogg"},
        {"spoken text",
         141,
         {100, 100, 100, 0},
         {"@4\n\\self[1]\\E"},
         4,
         [] { return test::OutsideLibraryLog("AquesTalk", "TestSpeechCallLog"); },
         "Synthe(11\\E,100);FreeWave;"},
        {"database text operand",
         250,
         {0, 0, 0, kWriteTextMode, 0},
         {"@5\n\\self[1]\\E"},
         5,
         [] { return CDataBase.ReadDBString(0, 0, 0); },
         "55\x01\x05"},
        {"internet texts, the second one last",
         260,
         {},
         {"@6\n\\self[1]", "@7\nx"},
         7,
         [] { return std::string(); },
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caller);
        TheVariableStore.StoreValueById(kSpareSystemValueId, 0);
        tools::CommandListBuilder list;
        list.Add(c.code, c.args, c.strings);
        CommonEvents.events[0].commands = list.Build();
        EventInterpreter interpreter;
        interpreter.SetUpInterpreter(0, false);
        interpreter.StartInterpreter(CommandListRef::Common(0), 0, -1);
        interpreter.mapId = kInterpreterMap;
        RunInterpreter(interpreter);
        EXPECT_EQ(TheVariableStore.ReadValueById(kSpareSystemValueId), c.spareValue);
        EXPECT_EQ(c.result(), c.expanded);
    }
    EXPECT_TRUE(reports.errors().empty());
}

}  // namespace
}  // namespace game
