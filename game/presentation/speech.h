#pragma once

// The speech library "AquesTalk" in the game folder: loaded at start-up when it is there, used
// by SoundManager::SynthesizeSpeech, freed last at shutdown.

namespace game {

bool IsAquesTalkPresent();
// Loads the library once; a library without its synthesis entry gets a message box.
void LoadAquesTalk();
void UnloadAquesTalk();
// Whether texts can be spoken: the library's synthesis entry is there.
bool CanSynthesizeSpeech();

}  // namespace game
