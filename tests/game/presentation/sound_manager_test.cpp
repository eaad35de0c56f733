// The sound manager's plays, fades and effect queue on recorded layer and MIDI library calls.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "game/core/variable_store.h"
#include "tests/game/presentation/sound_fixture.h"

namespace game {
namespace {

using Calls = std::vector<std::string>;

class SoundManagerTest : public SoundTest {};

TEST_F(SoundManagerTest, PlayingTheCurrentMusicAgainChangesNothing) {
    SetEntry(0, 0, "a.ogg");
    TheSoundManager.PlaySoundByNumber(0, 0, 0, 0);
    sounds_.Clear();
    TheSoundManager.PlaySoundByNumber(0, 0, 30, 2000);
    EXPECT_TRUE(sounds_.Calls().empty());
    EXPECT_EQ(TheSoundManager.MusicFadeLength, 1);
}

TEST_F(SoundManagerTest, AStreamMusicStartsSilentLoopingAtItsEntrysValues) {
    SetEntry(0, 1, "a.ogg", 50, 200, 1500);
    TheMainInterpreter.MusicMasterVolume = 80;
    TheSoundManager.PlaySoundByNumber(0, 1, 4, 0);
    EXPECT_EQ(sounds_.Calls(),
              (Calls{"SetSoundLoadMode(2)", "LoadSoundFromMemorySingle(4,-1)",
                     "SetSoundPositionMs(1500,101)", "SetSoundHandleFrequency(44100,101)",
                     "StartSound(101,3,1)", "SetSoundHandleVolume(0,101)"}));
    EXPECT_EQ(TheSoundManager.MusicVolume, 40);
    EXPECT_EQ(TheSoundManager.MusicTempo, 200);
    EXPECT_EQ(TheSoundManager.MusicFadeLeft, 5);
    EXPECT_EQ(TheMainInterpreter.CurrentMusicName, "a.ogg");
    EXPECT_EQ(TheMainInterpreter.CurrentMusicLoopMs, 1500);
    EXPECT_EQ(TheScreenState.soundSystemValues[0], 50);
}

// Music 0 at full volume gives way to music 1 over a fade of 3 (4 steps): the volumes of the
// outgoing and the incoming handle per update, then the outgoing handle is deleted.
TEST_F(SoundManagerTest, ACrossFadeMovesBothVolumesEachUpdate) {
    const std::pair<int, Calls> cases[] = {
        {1,
         {"SetSoundHandleVolume(100,101)", "SetSoundHandleVolume(0,102)",
          "SetSoundHandleVolume(75,101)", "SetSoundHandleVolume(25,102)",
          "SetSoundHandleVolume(50,101)", "SetSoundHandleVolume(50,102)",
          "SetSoundHandleVolume(25,101)", "SetSoundHandleVolume(75,102)",
          "SetSoundHandleVolume(0,101)", "SetSoundHandleVolume(100,102)", "RemoveSound(101,0)"}},
        {2,
         {"SetSoundHandleVolume(100,101)", "SetSoundHandleVolume(0,102)",
          "SetSoundHandleVolume(50,101)", "SetSoundHandleVolume(50,102)",
          "SetSoundHandleVolume(0,101)", "SetSoundHandleVolume(100,102)", "RemoveSound(101,0)"}},
    };
    for (const auto& [framesPerUpdate, expected] : cases) {
        SetUp();
        SetEntry(0, 0, "a.ogg");
        SetEntry(0, 1, "b.ogg");
        TheSoundManager.PlaySoundByNumber(0, 0, 0, 0);
        Update({});
        Update({});
        FramesPerUpdate = framesPerUpdate;
        TheSoundManager.PlaySoundByNumber(0, 1, 3, 0);
        Calls calls;
        for (int update = 0; update < 6; ++update)
            for (const std::string& call : Update({"SetSoundHandleVolume", "RemoveSound"}))
                calls.push_back(call);
        EXPECT_EQ(calls, expected) << "frames per update " << framesPerUpdate;
        EXPECT_EQ(TheSoundManager.MusicFadeLeft, -1);
        EXPECT_EQ(TheSoundManager.OutgoingMusicHandle, 0);
    }
}

TEST_F(SoundManagerTest, StoppingListedMusicWithoutAFadeDeletesItsHandleAtOnce) {
    SetEntry(0, 0, "a.ogg");
    TheSoundManager.PlaySoundByNumber(0, 0, 0, 0);
    sounds_.Clear();
    TheSoundManager.PlaySoundByNumber(0, -1, 0, 0);
    EXPECT_EQ(sounds_.CallsNamed({"RemoveSound"}), Calls{"RemoveSound(101,0)"});
    EXPECT_EQ(TheMainInterpreter.CurrentMusicNumber, -1);
    EXPECT_EQ(TheSoundManager.Handles[0][0], 0);
    Update({});
    Update({});
    EXPECT_TRUE(sounds_.Calls().empty()) << "the deleted handle is not touched again";
}

TEST_F(SoundManagerTest, AMissingMusicFileLeavesTheEarlierMusicPlaying) {
    SetEntry(0, 0, "a.ogg");
    SetEntry(0, 1, "gone.ogg", 0, 0, 0, false);
    TheSoundManager.PlaySoundByNumber(0, 0, 0, 0);
    Update({});
    Update({});
    sounds_.Clear();
    TheSoundManager.PlaySoundByNumber(0, 1, 5, 0);
    EXPECT_EQ(TheMainInterpreter.CurrentMusicNumber, -1);
    EXPECT_EQ(TheSoundManager.OutgoingMusicHandle, 101);
    EXPECT_EQ(TheSoundManager.MusicFadeLeft, -1) << "no new fade starts";
    EXPECT_TRUE(sounds_.CallsNamed({"SetSoundHandleVolume", "RemoveSound"}).empty());
}

TEST_F(SoundManagerTest, ANegativeFadeCountsAsNone) {
    SetEntry(1, 0, "rain.wav", 60);
    TheSoundManager.PlaySoundByNumber(1, 0, -1, 0);
    EXPECT_EQ(TheSoundManager.BgsFadeLength, 1);
    EXPECT_EQ(Update({"SetSoundHandleVolume"}), Calls{"SetSoundHandleVolume(0,101)"});
    EXPECT_EQ(Update({"SetSoundHandleVolume"}), Calls{"SetSoundHandleVolume(60,101)"});
}

class MidiMusic : public SoundManagerTest {
  protected:
    void SetUp() override {
        SoundManagerTest::SetUp();
        MidiEnabled = 1;
        SetEntry(0, 0, "a.mid", 80);
        SetEntry(0, 1, "b.mid");
        SetEntry(0, 2, "c.ogg");
    }
};

TEST_F(MidiMusic, TheListIsRegisteredAtTheFirstPlayAndMidiToMidiStopsAtOnce) {
    TheSoundManager.PlaySoundByNumber(0, 0, 0, 1200);
    EXPECT_EQ(sounds_.Calls(),
              (Calls{"GGSReadList(4,1,1)", "GGSReadList(4,1,2)", "GGSMasterVolume(-10000)",
                     "GGSTempoDepth(0)", "GGSPlay(1,1,1200)"}));
    sounds_.Clear();
    TheSoundManager.PlaySoundByNumber(0, 1, 0, 0);
    EXPECT_EQ(sounds_.Calls(), (Calls{"GGSStop()", "GGSMasterVolume(-10000)", "GGSTempoDepth(0)",
                                      "GGSPlay(1,2,0)"}));
}

TEST_F(MidiMusic, AStopWithoutAFadeSendsTheStopInTheSecondUpdate) {
    TheSoundManager.PlaySoundByNumber(0, 0, 0, 0);
    Update({});
    Update({});
    TheSoundManager.PlaySoundByNumber(0, -1, 0, 0);
    EXPECT_TRUE(Update({"GGSStop"}).empty());
    EXPECT_EQ(Update({"GGSStop"}), Calls{"GGSStop()"});
}

TEST_F(MidiMusic, AMissingListedFileOnlyChangesTheCurrentNumber) {
    SetEntry(0, 3, "gone.mid", 0, 0, 0, false);
    TheSoundManager.PlaySoundByNumber(0, 2, 0, 0);
    EXPECT_EQ(TheSoundManager.MidiFlags[3], -1);
    sounds_.Clear();
    TheSoundManager.PlaySoundByNumber(0, 3, 0, 0);
    EXPECT_EQ(TheMainInterpreter.CurrentMusicNumber, 3);
    EXPECT_EQ(TheSoundManager.MusicHandle, 101) << "the stream music goes on";
    EXPECT_TRUE(sounds_.Calls().empty());
}

// Device 0's fade-in values: (level - 110) x 1.27, truncated; at 80 percent after the fade
// -38.
TEST_F(MidiMusic, AZeroMasterVolumePausesAndRaisingItResumes) {
    TheSoundManager.PlaySoundByNumber(0, 0, 0, 0);
    EXPECT_EQ(Update({"GGSMasterVolume"}), Calls{"GGSMasterVolume(-139)"});
    EXPECT_EQ(Update({"GGSMasterVolume"}), Calls{"GGSMasterVolume(-38)"});
    TheVariableStore.StoreValueById(9000100, 0);
    EXPECT_EQ(Update({"GGSPause", "GGSStop"}), Calls{"GGSPause()"});
    EXPECT_EQ(TheScreenState.soundFlag, 1);
    TheVariableStore.StoreValueById(9000100, 100);
    EXPECT_EQ(Update({"GGSPause", "GGSMasterVolume"}),
              (Calls{"GGSPause()", "GGSMasterVolume(-38)"}));
    EXPECT_EQ(TheScreenState.soundFlag, 0);
}

TEST_F(MidiMusic, TheTempoIsSentAgainSixUpdatesAfterTheStart) {
    SetEntry(0, 0, "a.mid", 0, 200);
    TheSoundManager.PlaySoundByNumber(0, 0, 10, 0);
    for (int update = 1; update < 6; ++update)
        EXPECT_TRUE(Update({"GGSTempoDepth"}).empty()) << update;
    EXPECT_EQ(Update({"GGSTempoDepth"}), Calls{"GGSTempoDepth(50)"});
}

TEST(TempoDepth, IsHalfTheRiseAboveAHundredAndTwiceTheFallBelow) {
    const std::pair<int, int> cases[] = {{100, 0}, {200, 50}, {101, 0}, {50, -100}, {99, -2}};
    for (const auto& [tempo, depth] : cases)
        EXPECT_EQ(TempoDepth(tempo), depth) << tempo;
}

TEST_F(SoundManagerTest, SoundEffectsWaitTheirDelayAndNeedAMasterVolume) {
    SetEntry(2, 0, "step.wav", 50, 0, 0);
    TheMainInterpreter.SeMasterVolume = 0;
    TheSoundManager.PlaySoundByNumber(2, 0, 0, 0);
    EXPECT_TRUE(sounds_.Calls().empty());
    EXPECT_TRUE(TheSoundManager.EffectQueue.QueuedHandle.empty());
    TheMainInterpreter.SeMasterVolume = 80;
    TheSoundManager.PlaySoundByNumber(2, 0, 3, 0);
    EXPECT_EQ(sounds_.Calls(),
              (Calls{"SetSoundLoadMode(0)", "LoadSoundFromMemory(4,5,-1)",
                     "SetSoundHandleVolume(40,101)", "SetSoundHandleFrequency(-1,101)"}));
    for (int update = 1; update <= 3; ++update)
        EXPECT_TRUE(Update({"StartSound"}).empty()) << update;
    EXPECT_EQ(Update({"StartSound"}), Calls{"StartSound(101,1,1)"});
    EXPECT_TRUE(TheSoundManager.EffectQueue.QueuedHandle.empty());
}

TEST_F(SoundManagerTest, AnEffectWithTheReleaseFlagIsDeletedOnceItHasPlayed) {
    SetEntry(2, 1, "door.wav", 0, 0, 1);
    TheSoundManager.PlaySoundByNumber(2, 1, 0, 0);
    sounds_.Playing() = {101};
    EXPECT_EQ(Update({"StartSound", "RemoveSound"}), Calls{"StartSound(101,1,1)"});
    EXPECT_TRUE(Update({"RemoveSound"}).empty());
    sounds_.Playing().clear();
    EXPECT_EQ(Update({"RemoveSound"}), Calls{"RemoveSound(101,0)"});
    EXPECT_EQ(TheSoundManager.Handles[2][1], 0);
}

TEST_F(SoundManagerTest, AStopEntryHaltsEveryEffectOnlyWhenItsDelayRunsOut) {
    SetEntry(2, 0, "a.wav");
    SetEntry(2, 1, "b.wav");
    TheSoundManager.PlaySoundByNumber(2, 0, 5, 0);
    TheSoundManager.PlaySoundByNumber(2, -1, 1, 0);
    TheSoundManager.PlaySoundByNumber(2, 1, 0, 0);
    EXPECT_EQ(Update({"StartSound", "HaltSound"}), Calls{"StartSound(102,1,1)"});
    EXPECT_EQ(Update({"StartSound", "HaltSound"}), (Calls{"HaltSound(101)", "HaltSound(102)"}));
    EXPECT_TRUE(TheSoundManager.EffectQueue.QueuedHandle.empty()) << "waiting entries go too";
}

TEST_F(SoundManagerTest, WithEffectsOnlyAMusicRequestIsOnlyRecorded) {
    SEandBGM = 1;
    TheSoundManager.PlaySoundByNumber(0, 65535, 0, 0);
    TheSoundManager.PlaySoundByNumber(1, 2, 0, 0);
    EXPECT_EQ(TheMainInterpreter.CurrentMusicNumber, 65535);
    EXPECT_EQ(TheMainInterpreter.CurrentBgsNumber, 2);
    EXPECT_TRUE(sounds_.Calls().empty());
}

TEST_F(SoundManagerTest, OggEntriesReportASecondLessAndFlagsOutsideTheListsReadZero) {
    SetEntry(0, 0, "a.OGG");
    TheSoundManager.PlaySoundByNumber(0, 0, 0, 0);
    EXPECT_EQ(TheSoundManager.GetOggLengthAdjustment(0), -1000);
    TheMainInterpreter.CurrentMusicNumber = 5000;
    EXPECT_EQ(TheSoundManager.GetOggLengthAdjustment(0), 0);
    TheSoundManager.PlaySoundByNumber(0, 100000, 0, 0);
    EXPECT_EQ(TheMainInterpreter.CurrentMusicNumber, -1);
}

TEST(SoundNames, MidiAndOggAreFoundInTheLastFiveCharacters) {
    const std::pair<const char*, bool> midi[] = {{"a.mid", true},    {"x.midi", true},
                                                 {"SONG.MID", true}, {"song.Mid", false},
                                                 {".mid", false},    {"a.mid.wav", false}};
    for (const auto& [name, expected] : midi)
        EXPECT_EQ(IsMidiName(name), expected) << name;
    EXPECT_TRUE(IsOggName("Data\\bgm.ogg"));
    EXPECT_FALSE(IsOggName("bgm.Ogg"));
}

TEST_F(SoundManagerTest, SystemVariablesMoveTheLiveFields) {
    SetEntry(0, 0, "a.ogg", 50);
    SetEntry(1, 0, "b.ogg");
    TheSoundManager.PlaySoundByNumber(0, 0, 0, 0);
    TheSoundManager.PlaySoundByNumber(1, 0, 0, 0);
    sounds_.Clear();
    TheVariableStore.StoreValueById(9000095, 30);
    EXPECT_EQ(TheSoundManager.MusicFadeLeft, 3);
    EXPECT_EQ(TheSoundManager.MusicFadeFrom, 50);
    EXPECT_EQ(TheVariableStore.ReadValueById(9000095), 30);
    TheVariableStore.StoreValueById(9000098, 150);
    EXPECT_EQ(sounds_.Calls(), Calls{"SetSoundHandleFrequency(33075,102)"});
    EXPECT_EQ(TheVariableStore.ReadValueById(9000098), 150);
    TheVariableStore.StoreValueById(9000101, -5);
    EXPECT_EQ(TheMainInterpreter.BgsMasterVolume, 0);
    EXPECT_EQ(TheSoundManager.BgsFadeLength, 1) << "a fade the update can divide by";
    EXPECT_EQ(TheSoundManager.BgsFadeLeft, 0);
}

}  // namespace
}  // namespace game
