#pragma once

// The layer's own MIDI player, standing in for the outside MIDI library when the game folder
// has none: the library's entries of the same names and types, playing lists of standard
// MIDI files through the MIDI synthesiser (platform/audio). It outlives the sound system: the
// game frees it after the layer ended.

#include <cstdint>

extern "C" {
// Device -1 or -1000 (the volume scale); 0 once the soundfont opens, else -1. The synthesiser
// loads on a worker that the first play waits for.
std::int32_t GGSSetDevice(std::int32_t device, std::int32_t flags);
// Keeps a copy of a MIDI file under a list number.
std::int32_t GGSReadList(const void* image, std::int32_t size, std::int32_t option,
                         std::int32_t list);
std::int32_t GGSDeleteList(std::int32_t list);
// Plays a list from a time in milliseconds, looping.
std::int32_t GGSPlay(std::int32_t option, std::int32_t list, std::int32_t start_milliseconds);
std::int32_t GGSStop();
// Each call toggles pause and resume.
std::int32_t GGSPause();
// Device -1: -127 (silence) to 0; device -1000: hundredths of a decibel, -10000 silence.
std::int32_t GGSMasterVolume(std::int32_t volume);
// 0 the file's tempo; the inverse of the game's tempo depth (100 + 2d percent above 0,
// (200 + d) / 2 below).
std::int32_t GGSTempoDepth(std::int32_t depth);
std::int32_t GGSFree();
}

namespace layer {

inline constexpr const char* kBuiltInMidiLibrary = "GuruGuruSMF";
inline constexpr const char* kGeneralMidiSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// The built-in player's entry of that name, or null.
void* FindBuiltInMidiEntry(const char* name);

}  // namespace layer
