#pragma once

namespace game {

// 1 in test play: the variable view and the debug captions are offered.
extern int TestPlayMode;
// Frames of a 60 Hz clock per game update: 60 divided by the game's frame rate.
extern int FramesPerUpdate;
// 1 while MIDI music plays through the MIDI library.
extern int MidiEnabled;

}  // namespace game
