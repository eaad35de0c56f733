#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace game {

// A volume moving from start to target over length frames.
struct VolumeFade {
    int start = 0;
    int target = 0;
    int length = 0;
    int counter = 0;
};

// The game's sound front end: what plays, at which volume, tempo and frequency.
class SoundManager {
  public:
    // -1000 when the kind's current entry (0 music, 1 background sound) is an Ogg file, whose
    // length the special-value command corrects; else 0.
    int GetOggLengthAdjustment(int kind) const;

    // Puts the sound a text names (its file name, then optional lines of volume, tempo and a
    // fourth value that replace the given ones) into the kind's next spare entry and returns
    // that entry; -1 for a text without a file name; -10 when the file already plays as the
    // current music or background sound, whose volume and tempo then move over fade frames.
    int RegisterSoundFile(const std::string& text, int kind, int fade, int fourth, int volume,
                          int tempo);
    // Loads entry number of the kind ahead of its first play.
    void LoadSoundByNumber(int kind, int number);
    // Releases the sound of entry number of the kind.
    void ReleaseSoundByNumber(int kind, int number);

    int musicVolume = 0;
    VolumeFade musicFade;
    int bgsVolume = 0;
    VolumeFade bgsFade;
    // Percent: the music's tempo and the background sound's frequency.
    int musicTempo = 100;
    int bgsFrequency = 100;
    std::uint8_t musicIsMidi = 0;
    // Frames until a pending MIDI tempo change is applied; 0 none.
    int tempoCountdown = 0;
    int musicHandle = -1;
    int bgsHandle = -1;
    // Per list entry of kinds 0 and 1: 1 when its file name ends in ".ogg" or ".OGG".
    std::array<std::vector<std::uint8_t>, 2> oggFlags;
};

extern SoundManager TheSoundManager;

// The entries of the three sound lists for which the manager holds a sound handle.
int CountLoadedSounds(const SoundManager& soundManager);

// Passes a tempo depth to the outside MIDI player when it is bound; 0 when it is not.
int GGSTempoDepth(int depth);

}  // namespace game
