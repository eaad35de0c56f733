#pragma once

// MPEG audio frames to 16-bit PCM through libmpg123's feed interface: no gapless trimming, and
// an info frame decodes as the silent frame it is, so the output is every frame's samples.

#include <cstdint>

namespace layer {

struct MpegAudioDecoder;

// A decoder whose output is 16-bit PCM of this rate and channel count; null when the library
// refuses.
MpegAudioDecoder* OpenMpegAudioDecoder(int rate, int channels);
void CloseMpegAudioDecoder(MpegAudioDecoder* decoder);
// Gives the decoder the source bytes it needs (taking all of them when it takes any) and
// writes PCM while the destination has room; output the destination could not take stays for
// the next call.
void DecodeMpegAudio(MpegAudioDecoder* decoder, const std::uint8_t* source, int source_bytes,
                     std::uint8_t* destination, int capacity, int* used, int* produced);

}  // namespace layer
