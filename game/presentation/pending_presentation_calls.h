#pragma once

// Stand-ins for sound, MIDI and speech until they arrive: sounds played by number,
// registered, loaded and released are only recorded and none counts as loaded; there is no
// MIDI device and no speech.

#include <string>
#include <vector>

namespace game {

class GameInfo;

// A call of PlaySoundByNumber as the stand-in records it.
struct PlayedSound {
    int kind;
    int number;
    int fadeFrames;
    int startMs;
    bool operator==(const PlayedSound&) const = default;
};
extern std::vector<PlayedSound> PlayedSounds;

// A call of the sound manager's other entries or of speech synthesis as the stand-ins record
// it: the entry's name, its text and its numbers in the order of its parameters.
struct SoundCall {
    std::string entry;
    std::string text;
    std::vector<int> values;
    bool operator==(const SoundCall&) const = default;
};
extern std::vector<SoundCall> SoundCalls;
// The entry the stand-ins of RegisterSoundFile and SynthesizeSpeech give back.
extern int StandInSoundEntry;
// Whether the stand-in counts the speech library's synthesis entry as loaded.
extern bool StandInSpeechLoaded;

// Plays entry `number` of sound kind (0 music, 1 background sound, 2 sound effects); -1 stops.
void PlaySoundByNumber(int kind, int number, int fadeFrames, int startMs);
// Fades and the release of finished sound effects.
void UpdateSound();
// Sizes and clears the per-entry format flags.
void ResetSoundFormatFlags();
// After a save was applied: the saved music and background sound start again.
void ResumeSavedSounds();

// Opens the outside MIDI player and selects a device: 0, or non-zero when it cannot.
int GGSSetDevice(int device, int flags);
void GGSFree();
// The outside speech library in the game folder.
bool IsAquesTalkPresent(const GameInfo& gameInfo);
void LoadAquesTalk(const GameInfo& gameInfo);
bool UnloadAquesTalk(const GameInfo& gameInfo);
// True once the speech library's synthesis entry is loaded.
bool IsSpeechSynthesisLoaded();
// Synthesises text into the next spare sound-effect entry and returns that entry; -10 when
// nothing was made. frequency is a percent that also divides the speed handed to the
// library.
int SynthesizeSpeech(const std::string& text, int speed, int volume, int frequency);

}  // namespace game
