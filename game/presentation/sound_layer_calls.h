#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace game {

// The layer's sound entries and the MIDI library binding as the sound manager calls them. They
// go through this table so that tests can record the calls; the default entries are the real
// ones.
struct SoundLayerCalls {
    int (*RemoveAllSounds)(int flag);
    int (*LoadSoundFromMemory)(const void* image, int size, int bufferCount, int option);
    int (*LoadSoundFromMemorySingle)(const void* image, int size, int option);
    int (*RemoveSound)(int sound, int flag);
    int (*StartSound)(int sound, int playType, int restart);
    int (*HaltSound)(int sound);
    int (*IsSoundPlaying)(int sound);
    int (*SetSoundPositionMs)(int milliseconds, int sound);
    int (*SetSoundLoadMode)(int mode);
    int (*SetSoundHandleVolume)(int volume, int sound);
    int (*SetSoundHandleFrequency)(int frequency, int sound);
    int (*GetSoundHandleBaseFrequency)(int sound);
    int (*SetSoundHandlePositionMs)(int milliseconds, int sound);
    int (*GGSReadList)(const void* image, int size, int option, int list);
    int (*GGSDeleteList)(int list);
    int (*GGSPlay)(int option, int list, int startMs);
    int (*GGSStop)();
    int (*GGSPause)();
    int (*GGSMasterVolume)(int volume);
    int (*GGSTempoDepth)(int depth);
};

// The layer's and the binding's entries.
SoundLayerCalls LayerSoundCalls();

extern SoundLayerCalls TheSoundLayerCalls;

// Plays a handle at `percent` of its own frequency; 0 keeps the data's own.
void SetFrequencyPercent(int handle, int percent);

// Names a sound file that was read but does not decode, or a MIDI file that is not whole, on
// standard error (the layer's check); the sound stays unheard as before.
void NameUndecodableSound(const std::string& path, const std::vector<std::uint8_t>& image);
void NameUndecodableMidi(const std::string& path, const std::vector<std::uint8_t>& image);

}  // namespace game
