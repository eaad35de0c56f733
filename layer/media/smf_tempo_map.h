#pragma once

// The tempo map of a standard MIDI file, read by our own parser, so that a start time in
// milliseconds becomes the tick the player seeks to.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace layer {

struct TempoChange {
    std::uint32_t tick = 0;
    // Microseconds per quarter note.
    std::uint32_t microseconds = 0;
};

struct SmfTempoMap {
    // Ticks per quarter note; 0 for time-code division, which counts ticks per second.
    int division = 0;
    double ticks_per_second = 0;
    // Every tempo event of every track, by tick.
    std::vector<TempoChange> changes;
};

// False when the bytes are no MIDI file (a header, then chunks as far as they go; a track cut
// short ends where its bytes end).
bool ParseSmfTempoMap(const std::uint8_t* data, std::size_t size, SmfTempoMap* map);
// The tick that plays at the time; 120 beats a minute before the first tempo event.
int SmfTickAtMilliseconds(const SmfTempoMap& map, int milliseconds);

}  // namespace layer
