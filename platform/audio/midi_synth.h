#pragma once

// The MIDI synthesiser: a software synthesiser with a General MIDI soundfont that plays
// standard MIDI files as the extra voice of TheAudioMixer(). Its clock is the samples it
// renders, so MIDI time follows the audio output (and the manual output in tests). One file
// plays at a time. Main thread, except the loading worker.

#include <cstddef>

namespace platform {

// True when the soundfont file can be opened for reading.
bool CanOpenSoundFont(const char* path);

// Starts loading the synthesiser and the soundfont on a worker thread; does nothing when
// loading has started already.
void StartMidiSynthLoading(const char* soundfont_path);
// Waits for the worker: true when the synthesiser is ready.
bool WaitForMidiSynth();
// Stops playing, takes the voice out of the mixer and frees the synthesiser.
void EndMidiSynth();

// Plays a standard MIDI file from `start_tick`, looping; the file is copied. False when the
// synthesiser is not ready or the file cannot be read.
bool PlayMidiFile(const void* data, std::size_t size, int start_tick);
// Stops the file and silences every note; the player is kept, so it can resume.
void PauseMidiFile();
// Plays the kept file on from `tick`.
bool ResumeMidiFile(int tick);
// Stops and forgets the file.
void StopMidiFile();
// The player's position in ticks; -1 without a file.
int GetMidiFileTick();
// 1 is the file's own tempo.
void SetMidiTempoFactor(double factor);
// Linear gain of the voice.
void SetMidiGain(float gain);

}  // namespace platform
