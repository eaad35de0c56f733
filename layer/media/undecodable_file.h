#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace layer {

// What is wrong with bytes that did not decode as the kind of file (kImageFile, kSoundFile or
// kMidiFile of the public entries), told by the signature they begin with: none the layer
// knows for the kind, or a known one whose data does not decode.
std::string UndecodableReason(int kind, const std::uint8_t* bytes, std::size_t size);

// Prints one line on standard error naming a file that is there but opened neither as an image
// nor as a movie, and what is wrong with it.
void NameUndecodableImageOrMovie(const char* path);

}  // namespace layer
