// Sounds named by file: registration into the spare entries, loading by path, the MIDI list
// registered before the first play, and the resume of saved sounds.
#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/core/data_file_loading.h"
#include "game/core/database.h"
#include "game/core/error_box.h"
#include "game/core/format_text.h"
#include "game/core/play_settings.h"
#include "game/core/screen_state.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/data_folder.h"
#include "game/presentation/sound_entries.h"
#include "game/presentation/sound_layer_calls.h"
#include "game/presentation/sound_manager.h"
#include "game/presentation/sound_manager_texts.h"

namespace game {
namespace {

constexpr int kUnusableText = -1;
constexpr int kAlreadyCurrent = -10;
constexpr int kSavedSpareNumber = -3;
constexpr int kResumeFade = 20;
constexpr int kEffectFileBuffers = 3;
constexpr int kWholeLoadMode = 0;
constexpr int kStreamLoadMode = 2;
constexpr int kMidiReadOption = 1;

// The signed decimal number at the start of a line, blanks skipped; 0 when there is none.
int LineValue(const std::string& line) {
    return static_cast<int>(std::strtol(line.c_str(), nullptr, 10));
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return lines;
        start = end + 1;
    }
}

}  // namespace

int SoundManager::RegisterSoundFile(const std::string& text, int kind, int fade, int fourth,
                                    int volume, int tempo) {
    if (kind < kMusicKind || kind > kSoundEffectKind)
        return kUnusableText;
    const int spare = NextSpareSound(kind);
    std::string plain = text;
    std::erase(plain, '\r');
    const std::size_t firstFeed = plain.find('\n');
    if (plain.empty() || firstFeed == 0 || firstFeed == 1)
        return kUnusableText;
    const std::vector<std::string> lines = SplitLines(plain);
    const std::string path = kDataFolder + lines[0];
    if (lines.size() > 1)
        volume = LineValue(lines[1]);
    if (lines.size() > 2)
        tempo = LineValue(lines[2]);
    if (lines.size() > 3)
        fourth = LineValue(lines[3]);
    LoadSoundByFile(path, kind, spare);
    const int handle = SoundFileHandles[path];
    const bool current = kind == kMusicKind
                             ? (MusicIsMidi && path == TheMainInterpreter.CurrentMusicName) ||
                                   (!MusicIsMidi && handle != 0 && handle == MusicHandle)
                             : kind == kBgsKind && handle == BgsHandle;
    if (current) {
        ChangeCurrentVolume(kind, fade, volume, tempo);
        return kAlreadyCurrent;
    }
    if (kind == kSoundEffectKind && Handles[kind][spare] > 0 &&
        FlagAt(SpeechSlotFlags, spare) != 0) {
        ReleaseSoundByNumber(kind, spare);
        SetFlagAt(SpeechSlotFlags, spare, 0);
    }
    Handles[static_cast<std::size_t>(kind)][spare] = handle;
    WriteSoundEntry(kind, spare, path, volume, tempo, fourth);
    const int previous = SoundListSize(kind) +
                         (TheScreenState.nextSpareSound[static_cast<std::size_t>(kind)] + 9) % 10;
    SysDataBase.WriteDBString(kind + 1, previous, kEntryFile, "");
    AdvanceSpareSound(kind);
    return spare;
}

// The file is already the current music or background sound: its volume moves to the new value
// over the fade and its tempo or frequency changes now.
void SoundManager::ChangeCurrentVolume(int kind, int fade, int volume, int tempo) {
    MainInterpreter& interpreter = TheMainInterpreter;
    const int steps = std::max(fade + 1, 1);
    if (kind == kMusicKind) {
        MusicFadeLeft = MusicFadeLength = steps;
        MusicFadeFrom = OutgoingMusicVolume = MusicVolume;
        MusicVolume = volume * interpreter.MusicMasterVolume / 100;
        MusicTempo = tempo;
        if (MusicIsMidi) {
            TempoResendCountdown = -1;
            TheSoundLayerCalls.GGSTempoDepth(TempoDepth(tempo));
        } else {
            SetFrequencyPercent(MusicHandle, tempo);
        }
        interpreter.CurrentMusicVolume = MusicVolume;
        interpreter.CurrentMusicTempo = MusicTempo;
        return;
    }
    BgsFadeLeft = BgsFadeLength = steps;
    BgsFadeFrom = OutgoingBgsVolume = BgsVolume;
    BgsVolume = volume * interpreter.BgsMasterVolume / 100;
    BgsFrequency = tempo;
    SetFrequencyPercent(BgsHandle, tempo);
    interpreter.CurrentBgsVolume = BgsVolume;
    interpreter.CurrentBgsFrequency = BgsFrequency;
}

void SoundManager::LoadSoundByFile(const std::string& path, int kind, int number) {
    if (kind < kMusicKind || kind > kSoundEffectKind)
        return;
    if (kind != kSoundEffectKind) {
        const bool midi = IsMidiName(path);
        if (kind == kMusicKind)
            SetFlagAt(MidiFlags, number, midi ? 1 : 0);
        if (!midi) {
            SetFlagAt(OggFlags[static_cast<std::size_t>(kind)], number, IsOggName(path) ? 1 : 0);
            if (SoundFileHandles.contains(path))
                return;
        }
    } else if (SoundFileHandles.contains(path)) {
        return;
    }
    const auto image = ReadWholeDataFile(path);
    if (!image) {
        if (!path.empty())
            ShowErrorBox(kSoundLoadCaption, FormatText(kMissingSoundFileFormat, path.c_str()), "");
        return;
    }
    const int size = static_cast<int>(image->size());
    if (kind == kSoundEffectKind) {
        TheSoundLayerCalls.SetSoundLoadMode(kWholeLoadMode);
        SoundFileHandles[path] =
            TheSoundLayerCalls.LoadSoundFromMemory(image->data(), size, kEffectFileBuffers, -1);
        if (SoundFileHandles[path] < 0)
            NameUndecodableSound(path, *image);
        return;
    }
    TheSoundLayerCalls.SetSoundLoadMode(kStreamLoadMode);
    if (kind == kMusicKind && FlagAt(MidiFlags, number) == 1) {
        NameUndecodableMidi(path, *image);
        TheSoundLayerCalls.GGSReadList(image->data(), size, kMidiReadOption, number + 1);
        return;
    }
    if (kind == kMusicKind)
        TheSoundLayerCalls.GGSDeleteList(number + 1);
    SoundFileHandles[path] = TheSoundLayerCalls.LoadSoundFromMemorySingle(image->data(), size, -1);
    if (SoundFileHandles[path] < 0)
        NameUndecodableSound(path, *image);
}

void SoundManager::PreloadMidiList() {
    if (MidiFlags.empty())
        ResetSoundFormatFlags();
    for (int kind = kMusicKind; kind <= kBgsKind; ++kind) {
        const int count = SoundListRecordCount(kind);
        for (int number = 0; number < count; ++number)
            if (IsOggName(SoundEntryName(kind, number)))
                SetFlagAt(OggFlags[static_cast<std::size_t>(kind)], number, 1);
    }
    if (MidiEnabled == 0)
        return;
    for (int number = 0; number < SoundListSize(kMusicKind); ++number) {
        const std::string name = SoundEntryName(kMusicKind, number);
        if (!IsMidiName(kDataFolder + name))
            continue;
        const auto image = ReadWholeDataFile(kDataFolder + name);
        if (!image) {
            ShowErrorBox(kMidiLoadCaption,
                         FormatText(kMissingMidiFileFormat, kMusicKind + 1, number, name.c_str()),
                         "");
            SetFlagAt(MidiFlags, number, -1);
            continue;
        }
        NameUndecodableMidi(kDataFolder + name, *image);
        TheSoundLayerCalls.GGSReadList(image->data(), static_cast<int>(image->size()),
                                       kMidiReadOption, number + 1);
        SetFlagAt(MidiFlags, number, 1);
    }
    MidiListLoaded = true;
}

// A saved sound that played from a spare entry comes back into the first spare entry.
void SoundManager::ResumeSpareEntry(int kind, int& number) {
    if (number != kSavedSpareNumber)
        return;
    const MainInterpreter& interpreter = TheMainInterpreter;
    const bool music = kind == kMusicKind;
    const std::string& name = music ? interpreter.CurrentMusicName : interpreter.CurrentBgsName;
    number = SoundListSize(kind);
    WriteSoundEntry(kind, number, name,
                    music ? interpreter.CurrentMusicVolume : interpreter.CurrentBgsVolume,
                    music ? interpreter.CurrentMusicTempo : interpreter.CurrentBgsFrequency,
                    music ? interpreter.CurrentMusicLoopMs : interpreter.CurrentBgsLoopMs);
    LoadSoundByFile(name, kind, number);
    Handles[static_cast<std::size_t>(kind)][number] = SoundFileHandles[name];
    AdvanceSpareSound(kind);
}

void SoundManager::ResumeSavedSounds() {
    MainInterpreter& interpreter = TheMainInterpreter;
    int music = interpreter.CurrentMusicNumber;
    int bgs = interpreter.CurrentBgsNumber;
    interpreter.CurrentMusicNumber = -100;
    interpreter.CurrentBgsNumber = -100;
    ResumeSpareEntry(kMusicKind, music);
    ResumeSpareEntry(kBgsKind, bgs);
    PlaySoundByNumber(kMusicKind, music, kResumeFade, 0);
    PlaySoundByNumber(kBgsKind, bgs, kResumeFade, 0);
}

}  // namespace game
