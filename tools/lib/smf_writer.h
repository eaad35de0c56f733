#pragma once

// Standard MIDI files of our own making.

#include <cstdint>
#include <vector>

namespace tools {

struct MidiEvent {
    std::uint32_t tick = 0;  // absolute
    std::vector<std::uint8_t> bytes;
};

using MidiTrack = std::vector<MidiEvent>;

MidiEvent NoteOn(std::uint32_t tick, int channel, int key, int velocity);
MidiEvent NoteOff(std::uint32_t tick, int channel, int key);
MidiEvent ProgramChange(std::uint32_t tick, int channel, int program);
// Microseconds per quarter note.
MidiEvent TempoChange(std::uint32_t tick, std::uint32_t microseconds);

// Type 0 with one track, or type 1 with any number; events are sorted by tick (stable), and
// each track ends with its end-of-track event after its last event.
std::vector<std::uint8_t> WriteSmf(int type, int division, const std::vector<MidiTrack>& tracks);

}  // namespace tools
