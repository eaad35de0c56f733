#pragma once

// The demo's sounds, all made here: a looping Ogg Vorbis tune and an ADPCM rain for the start
// map, a MIDI tune for the looping map, the choice window's effects, a walker's step and a
// chime.

#include <vector>

#include "game/core/database.h"
#include "tools/lib/demo_map.h"

namespace tools {

// Entry numbers of the demo's sound lists.
inline constexpr int kDemoStartMusic = 0;
inline constexpr int kDemoLoopMusic = 1;
inline constexpr int kDemoRainSound = 0;
inline constexpr int kDemoDecideEffect = 0;
inline constexpr int kDemoCursorEffect = 1;
inline constexpr int kDemoStepEffect = 2;
// A chime in the data folder itself, played by its file name rather than from a list.
inline constexpr char kDemoChimeFile[] = "chime.wav";
// Where the tune loops back to, in milliseconds.
inline constexpr int kDemoTuneLoopMs = 1000;

std::vector<DemoFile> DemoSoundFiles();
// System database types 1 to 3 (music, background sound, sound effects): file, volume, tempo
// or frequency, loop start or release flag.
void AddDemoSoundLists(game::DataBase& db);

}  // namespace tools
