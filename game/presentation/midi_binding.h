#pragma once

// The binding to the MIDI library: "GuruGuruSMF" in the game folder, else the layer's own
// player of the same entries. It loads at the first GGSSetDevice; a wrapper whose entry is
// absent does nothing and returns its default, so without a library MIDI music is silent.
// List numbers are music entry numbers + 1.

namespace game {

// 0 when the library is ready on that device (-1, or -1000 for the decibel scale).
int GGSSetDevice(int device, int flags);
int GGSReadList(const void* image, int size, int option, int list);
int GGSDeleteList(int list);
int GGSPlay(int option, int list, int startMs);
int GGSStop();
// Each call toggles pause and resume.
int GGSPause();
int GGSMasterVolume(int volume);
// Passes a tempo depth (0 normal); 0 when the library is not bound.
int GGSTempoDepth(int depth);
// Frees the library; the next GGSSetDevice loads it again.
void GGSFree();

}  // namespace game
