#pragma once

// Stand-ins for sound, MIDI and speech until they arrive: sounds played by number are only
// recorded and none counts as loaded; there is no MIDI device and no speech.

#include <vector>

namespace game {

class GameInfo;

// A call of PlaySoundByNumber as the stand-in records it.
struct PlayedSound {
    int kind;
    int number;
    int fadeFrames;
    int startMs;
};
extern std::vector<PlayedSound> PlayedSounds;

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

}  // namespace game
