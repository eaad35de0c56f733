#pragma once

// The audio output plays TheAudioMixer(): an SDL audio device of 44,100 Hz, 16-bit stereo in
// blocks of 1,024 frames whose callback renders the mix. Tests select the manual output
// instead: no device; the mix is rendered when asked or as the fake clock advances, and kept.

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Opens the device through SDL's audio driver, or the named one (e.g. "dummy"); false with
// AudioOutputError() set when it cannot. With the manual output selected it always succeeds.
bool StartAudioOutput(const char* driver);
void StopAudioOutput();
bool IsAudioOutputStarted();
std::string AudioOutputError();

// The driver in use and the names of its playback devices, for the layer's device log.
std::string AudioDriverName();
std::vector<std::string> AudioDeviceNames();

// Manual output (tests). While selected, StartAudioOutput opens no device; every fake-clock
// advance renders the frames its time holds (fractions carried to the next) into the capture.
void SelectManualAudioOutput(bool manual);
bool IsManualAudioOutput();
// Renders now, into the capture.
void RenderManualAudio(int frames);
// Interleaved stereo samples rendered so far.
std::vector<std::int16_t> TakeManualAudioCapture();
void ClearManualAudioCapture();

}  // namespace platform
