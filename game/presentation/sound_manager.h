#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "game/core/database_name_maps.h"

namespace game {

// Entry number to layer sound handle; looking up a missing number inserts 0.
using NumberHandleMap = std::map<int, int>;

// Sound effects waiting to start or to end, as three parallel lists. A handle of -1 stops every
// sound effect; a delay of 0 starts now, -1 marks a started effect whose release is pending.
struct SoundEffectQueue {
    std::vector<int> QueuedHandle;
    std::vector<int> QueuedDelay;
    std::vector<int> QueuedRelease;
};

// The game's front end for sound: the music and the background sound with their fades, the
// queued sound effects and the loaded handles of the three sound lists (kind 0 music, 1
// background sound, 2 sound effect). MIDI music plays through the MIDI library binding.
class SoundManager {
  public:
    SoundManager();
    SoundManager(const SoundManager&) = default;
    SoundManager& operator=(const SoundManager&) = default;
    // Empties the names of sounds loaded by file. The layer's handles are deleted by the reset
    // and the shutdown themselves, so that the global manager's end touches no layer.
    ~SoundManager();

    // Plays entry `number` of list `kind`, -1 (or 65535) stops the kind. `fade` is the fade in
    // frames for music and background sound, the delay for a sound effect.
    void PlaySoundByNumber(int kind, int number, int fade, int startMs);
    void LoadSoundByNumber(int kind, int number);
    void ReleaseSoundByNumber(int kind, int number);
    void ReleaseSoundHandle(int kind, int handle);
    void ResetSoundFormatFlags();
    // Once per frame: the fades, the MIDI volume, the delayed tempo and the effect queue.
    void UpdateSound();
    // Frees the loaded entries a new map no longer needs: playing ones and kept effects stay,
    // unless `releaseAll`.
    void ReleaseUnusedSounds(bool releaseAll);

    // A sound named by file: the spare entry to play, -1 for an unusable text, -10 when it is
    // already the current music or background sound (its volume and tempo were changed).
    int RegisterSoundFile(const std::string& text, int kind, int fade, int fourth, int volume,
                          int tempo);
    void LoadSoundByFile(const std::string& path, int kind, int number);
    void PreloadMidiList();
    // After a load or a return to the title: the saved music and background sound start again.
    void ResumeSavedSounds();
    // A spoken text in the next spare sound-effect entry: that entry, or -10.
    int SynthesizeSpeech(const std::string& text, int speed, int volume, int frequency);

    // -1000 when the kind's current entry (0 music, 1 background sound) is an Ogg file, whose
    // length the variable-from-state command corrects; else 0.
    int GetOggLengthAdjustment(int kind) const;

    std::array<NumberHandleMap, 3> Handles;
    std::vector<int> SpeechSlotFlags;
    bool SpeechSlotsSized = false;
    int OutgoingMusicHandle = 0;
    int MusicHandle = 0;
    int OutgoingBgsHandle = 0;
    int BgsHandle = 0;
    int MusicFadeLeft = -1;
    int BgsFadeLeft = -1;
    int MusicFadeLength = -1;
    int BgsFadeLength = -1;
    int MusicVolume = 100;
    int BgsVolume = 100;
    int MusicTempo = 100;
    int BgsFrequency = 100;
    int OutgoingMusicVolume = 0;
    int OutgoingBgsVolume = 0;
    int MusicFadeFrom = 0;
    int BgsFadeFrom = 0;
    SoundEffectQueue EffectQueue;
    std::vector<int> MidiFlags;
    bool MusicIsMidi = false;
    bool OutgoingMusicIsMidi = false;
    bool MidiListLoaded = false;
    int TempoResendCountdown = -1;
    std::array<std::vector<int>, 2> OggFlags;

  private:
    void PlayMusic(int number, int fade, int startMs);
    void StartStreamMusic(int number, int fade, int startMs);
    void StartMidiMusic(int number, int fade, int startMs);
    void PlayBackgroundSound(int number, int fade, int startMs);
    void QueueSoundEffect(int number, int fade);
    void UpdateMusicFade();
    void UpdateBgsFade();
    void UpdateEffectQueue();
    void ChangeCurrentVolume(int kind, int fade, int volume, int tempo);
    void ResumeSpareEntry(int kind, int& number);
};

extern SoundManager TheSoundManager;

// Paths of sounds loaded by file name to their layer handles.
extern NameHandleMap SoundFileHandles;

// The entries of the three sound lists for which the manager holds a sound handle.
int CountLoadedSounds(const SoundManager& soundManager);
// The file names of those entries, list by list, then the paths of the sounds loaded by file
// name, sorted.
std::vector<std::string> LoadedSoundNames(const SoundManager& soundManager);

// The depth the MIDI library takes for a tempo percent: 100 gives 0, 200 gives 50, 50 gives -100.
int TempoDepth(int tempo);

// 1 when ".mid"/".MID" (MIDI) or ".ogg"/".OGG" (Ogg) occurs in the last five characters.
bool IsMidiName(const std::string& path);
bool IsOggName(const std::string& path);

}  // namespace game
