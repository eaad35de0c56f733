#pragma once

// MPEG audio files made of headers only: frames whose payload is zero bytes, and the tags
// around them, for the player's frame scanner.

#include <cstdint>
#include <vector>

namespace tools {

// A frame: the 4 header bytes (high byte first) followed by zero bytes up to `length`.
std::vector<std::uint8_t> MpegFrame(std::uint32_t header, int length);
// An ID3v2 tag of `size` body bytes (a footer flag adds 10 bytes more at the end).
std::vector<std::uint8_t> Id3v2Tag(int major_version, int flags, int size);
// The 128-byte "TAG" block at the end of a file.
std::vector<std::uint8_t> Id3v1Tag();

// Appends one byte vector to another.
void Append(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& more);

}  // namespace tools
