// Sounds named by file: registration into the spare entries, the resume of a saved spare
// entry, and speech clips, on recorded layer calls.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "game/presentation/sound_layer_calls.h"
#include "game/presentation/speech.h"
#include "tests/game/presentation/sound_fixture.h"
#include "tests/support/sjis.h"
#include "tools/lib/sound_tones.h"
#include "tools/lib/wav_writer.h"

namespace game {
namespace {

using Calls = std::vector<std::string>;

class SoundFiles : public SoundTest {
  protected:
    int Register(const std::string& text, int kind, int fade = 0) {
        return TheSoundManager.RegisterSoundFile(text, kind, fade, 0, 100, 100);
    }
    std::string EntryName(int kind, int number) {
        return SysDataBase.ReadDBString(kind + 1, number, 0);
    }
};

TEST_F(SoundFiles, AFileTakesTheNextSpareEntryAndASecondRegistrationOnlyMovesItsVolume) {
    folder_.Write("Data/bgm.ogg", {1, 2, 3});
    EXPECT_EQ(Register("bgm.ogg", 0), kListed);
    EXPECT_EQ(EntryName(0, kListed), "Data\\bgm.ogg");
    EXPECT_EQ(SysDataBase.ReadDBValue(1, kListed, 1), 100);
    EXPECT_EQ(SysDataBase.ReadDBValue(1, kListed, 2), 100);
    TheSoundManager.PlaySoundByNumber(0, kListed, 0, 0);
    TheSoundManager.UpdateSound();
    TheSoundManager.UpdateSound();
    sounds_.Clear();
    EXPECT_EQ(Register("bgm.ogg\n50\n150", 0, 4), -10);
    EXPECT_EQ(sounds_.Calls(), Calls{"SetSoundHandleFrequency(33075,101)"}) << "not reloaded";
    EXPECT_EQ(TheSoundManager.MusicVolume, 50);
    EXPECT_EQ(TheSoundManager.MusicFadeFrom, 100);
    EXPECT_EQ(TheSoundManager.MusicFadeLength, 5);
    EXPECT_EQ(TheScreenState.nextSpareSound[0], 1) << "the ring does not move";
}

TEST_F(SoundFiles, TextsOfAFileAndValuesOrNoUsableName) {
    struct Case {
        const char* text;
        int result;
        int volume;
        int tempo;
    };
    const Case cases[] = {
        {"se.wav\n50", kListed, 50, 100},
        {"se.wav\r\n 70\r\n-3\r\n1", kListed + 1, 70, -3},
        {"se.wav\nloud", kListed + 2, 0, 100},
        {"", -1, 0, 0},
        {"\nse.wav", -1, 0, 0},
        {"a\nse.wav", -1, 0, 0},
    };
    folder_.Write("Data/se.wav", {1});
    for (const Case& c : cases) {
        const int result = Register(c.text, 2);
        EXPECT_EQ(result, c.result) << c.text;
        if (result < 0)
            continue;
        EXPECT_EQ(SysDataBase.ReadDBValue(3, result, 1), c.volume) << c.text;
        EXPECT_EQ(SysDataBase.ReadDBValue(3, result, 2), c.tempo) << c.text;
    }
    EXPECT_EQ(SysDataBase.ReadDBValue(3, kListed + 1, 3), 1);
    EXPECT_EQ(sounds_.CallsNamed({"LoadSoundFromMemory"}), Calls{"LoadSoundFromMemory(1,3,-1)"})
        << "one load per path";
}

TEST_F(SoundFiles, ElevenRegistrationsWrapAndEachClearsTheEntryBeforeIt) {
    std::vector<int> entries;
    for (int n = 0; n < 11; ++n) {
        const std::string file = "s" + std::to_string(n) + ".wav";
        folder_.Write("Data/" + file, {1});
        entries.push_back(Register(file, 1));
        if (n > 0) {
            EXPECT_EQ(EntryName(1, entries[static_cast<std::size_t>(n - 1)]), "") << n;
        }
    }
    EXPECT_EQ(entries.front(), kListed);
    EXPECT_EQ(entries.back(), kListed);
    EXPECT_EQ(EntryName(1, kListed), "Data\\s10.wav");
}

TEST_F(SoundFiles, AMissingFileIsReportedOnceAndItsEntryPlaysNothing) {
    EXPECT_EQ(Register("gone.wav", 2), kListed);
    EXPECT_EQ(SoundFileHandles.at("Data\\gone.wav"), 0);
    EXPECT_EQ(Register("gone.wav", 2), kListed + 1);
    EXPECT_TRUE(sounds_.CallsNamed({"LoadSoundFromMemory"}).empty());
    EXPECT_EQ(Register("gone.wav", 1), -10) << "no background sound plays: handle 0 is current";
}

TEST_F(SoundFiles, ADeletedHandleIsLoadedAgainByALaterRegistration) {
    folder_.Write("Data/se.wav", {1});
    const int entry = Register("se.wav", 2);
    TheSoundManager.ReleaseSoundByNumber(2, entry);
    EXPECT_FALSE(SoundFileHandles.contains("Data\\se.wav"));
    Register("se.wav", 2);
    EXPECT_EQ(sounds_.CallsNamed({"LoadSoundFromMemory", "RemoveSound"}),
              (Calls{"LoadSoundFromMemory(1,3,-1)", "RemoveSound(101,0)",
                     "LoadSoundFromMemory(1,3,-1)"}));
}

TEST_F(SoundFiles, MidiMusicByNameIsRegisteredWithTheLibraryAtEachRegistration) {
    folder_.Write("Data/song.mid", {1, 2});
    folder_.Write("Data/tune.ogg", {1, 2, 3});
    Register("song.mid", 0);
    Register("song.mid", 0);
    Register("tune.ogg", 0);
    EXPECT_EQ(sounds_.CallsNamed({"GGSReadList", "GGSDeleteList", "LoadSoundFromMemorySingle"}),
              (Calls{"GGSReadList(2,1,5)", "GGSReadList(2,1,6)", "GGSDeleteList(7)",
                     "LoadSoundFromMemorySingle(3,-1)"}));
    EXPECT_EQ(TheSoundManager.MidiFlags[kListed], 1);
    EXPECT_EQ(TheSoundManager.MidiFlags[kListed + 2], 0);
}

// A file the layer refused is named on standard error when its bytes do not decode (a MIDI
// file when it is not whole, refused or not); one that decodes, refused for another reason,
// is not.
TEST_F(SoundFiles, AFileThatDoesNotDecodeIsNamed) {
    TheSoundLayerCalls.LoadSoundFromMemory = [](const void*, int, int, int) { return -1; };
    TheSoundLayerCalls.LoadSoundFromMemorySingle = [](const void*, int, int) { return -1; };
    const std::vector<std::uint8_t> tone = tools::WriteWav(tools::SineTone(1, 8000, 440, 0.1, 0.5));
    const struct {
        const char* file;
        int kind;
        std::vector<std::uint8_t> bytes;
        std::string line;
    } cases[] = {
        {"cut.wav", 2, std::vector<std::uint8_t>(tone.begin(), tone.begin() + 30),
         "Data\\cut.wav: a damaged or unsupported WAV sound\n"},
        {"rain.wav", 1, {}, "Data\\rain.wav: not a WAV, Ogg Vorbis or MP3 sound\n"},
        {"tune.ogg",
         0,
         {'O', 'g', 'g', 'S', 0},
         "Data\\tune.ogg: a damaged or unsupported Ogg Vorbis sound\n"},
        {"song.mid", 0, {'M', 'T', 'h', 'd'}, "Data\\song.mid: a damaged MIDI file\n"},
        {"whole.wav", 2, tone, ""},
    };
    for (const auto& c : cases) {
        folder_.Write(std::string("Data/") + c.file, c.bytes);
        testing::internal::CaptureStderr();
        Register(c.file, c.kind);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.line) << c.file;
    }
}

TEST_F(SoundFiles, ASavedSpareMusicComesBackIntoTheFirstSpareEntry) {
    folder_.Write("Data/bgm.ogg", {1, 2, 3});
    TheMainInterpreter.CurrentMusicNumber = -3;
    TheMainInterpreter.CurrentMusicName = "Data\\bgm.ogg";
    TheMainInterpreter.CurrentMusicVolume = 80;
    TheMainInterpreter.CurrentMusicTempo = 100;
    TheMainInterpreter.CurrentMusicLoopMs = 500;
    TheMainInterpreter.CurrentBgsNumber = -1;
    TheScreenState.nextSpareSound[0] = 6;
    TheSoundManager.ResumeSavedSounds();
    EXPECT_EQ(TheMainInterpreter.CurrentMusicNumber, kListed);
    EXPECT_EQ(EntryName(0, kListed), "Data\\bgm.ogg");
    EXPECT_EQ(TheScreenState.nextSpareSound[0], 7);
    EXPECT_EQ(TheSoundManager.MusicFadeLength, 21);
    EXPECT_EQ(TheSoundManager.MusicVolume, 80);
    EXPECT_EQ(sounds_.CallsNamed({"SetSoundPositionMs", "StartSound"}),
              (Calls{"SetSoundPositionMs(500,101)", "StartSound(101,3,1)"}));
    EXPECT_EQ(TheMainInterpreter.CurrentBgsNumber, -1);
}

class Speech : public SoundFiles {
  protected:
    void SetUp() override {
        SoundFiles::SetUp();
        folder_.UseAsGameFolder();
    }
    void TearDown() override {
        UnloadAquesTalk();
        SoundFiles::TearDown();
    }
};

TEST_F(Speech, WithoutTheLibraryNothingIsSpoken) {
    EXPECT_FALSE(IsAquesTalkPresent());
    LoadAquesTalk();
    EXPECT_FALSE(CanSynthesizeSpeech());
    EXPECT_EQ(TheSoundManager.SynthesizeSpeech("a", 100, 100, 100), -10);
}

TEST_F(Speech, AClipTakesASpareEffectEntryThatAFileRegistrationReleases) {
    std::filesystem::copy_file(QVARN_TEST_SPEECH_LIBRARY, folder_.tree().path("AquesTalk.so"));
    ASSERT_TRUE(IsAquesTalkPresent());
    LoadAquesTalk();
    ASSERT_TRUE(CanSynthesizeSpeech());
    EXPECT_EQ(TheSoundManager.SynthesizeSpeech("hello", 100, 70, 10), kListed);
    EXPECT_EQ(EntryName(2, kListed), test::Sjis(u8"合成音声"));
    EXPECT_EQ(SysDataBase.ReadDBValue(3, kListed, 2), 20) << "frequency raised to 20";
    EXPECT_EQ(SysDataBase.ReadDBValue(3, kListed, 3), 1);
    EXPECT_EQ(TheSoundManager.Handles[2][kListed], 101);
    TheScreenState.nextSpareSound[2] = 0;
    folder_.Write("Data/se.wav", {1});
    EXPECT_EQ(Register("se.wav", 2), kListed);
    EXPECT_EQ(sounds_.CallsNamed({"RemoveSound"}), Calls{"RemoveSound(101,0)"});
    EXPECT_EQ(TheSoundManager.SpeechSlotFlags[kListed], 0);
}

}  // namespace
}  // namespace game
