#pragma once

#include <cstddef>
#include <cstdint>

namespace layer {

// True when the bytes are a standard MIDI file that a player can read to its end: a header of
// format 0 to 2 with at least one track and a division, then as many whole "MTrk" chunks as it
// counts (other chunks between them skipped), each a list of whole events with known status
// bytes (running status only after a channel message).
bool IsWholeMidiFile(const std::uint8_t* data, std::size_t size);

}  // namespace layer
