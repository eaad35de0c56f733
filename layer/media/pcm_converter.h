#pragma once

// Converters of compressed RIFF/WAVE and MPEG audio data to 16-bit PCM, in place of the
// system's compression manager: our own MS ADPCM, IMA ADPCM, A-law and µ-law decoders, and
// MPEG audio through libmpg123. A converter takes its source in whole blocks and keeps any
// state between calls (MPEG frames span calls).

#include <cstdint>

#include "layer/media/wave_format.h"

namespace layer {

constexpr std::uint16_t kMsAdpcmTag = 0x0002;
constexpr std::uint16_t kALawTag = 0x0006;
constexpr std::uint16_t kMuLawTag = 0x0007;
constexpr std::uint16_t kImaAdpcmTag = 0x0011;
constexpr std::uint16_t kMpegTag = 0x0050;
constexpr std::uint16_t kMpegLayer3Tag = 0x0055;

struct PcmConverter;

// The PCM a source format converts to (16 bits, its rate and channels): 0, or -1 when no
// converter takes the format or its fields do not describe data a converter can read.
int SuggestPcmFormat(const std::uint8_t* source_format, int size, WaveFormat* output);
// A converter from the start of the data, or null on refusal.
PcmConverter* OpenPcmConverter(const std::uint8_t* source_format, int size);
void ClosePcmConverter(PcmConverter* converter);

// Converts whole source blocks from at most `source_bytes` bytes into the destination while
// it has room; a final block shorter than a whole one converts as far as it goes. `*used` is
// the source bytes taken, `*produced` the PCM bytes written (both 0 at the end of the data).
void ConvertPcmBlocks(PcmConverter* converter, const std::uint8_t* source, int source_bytes,
                      std::uint8_t* destination, int capacity, int* used, int* produced);
// The PCM bytes that `source_bytes` bytes of source data convert to.
std::int64_t EstimatePcmBytes(const PcmConverter* converter, std::int64_t source_bytes);
// The source bytes of one block (1 where any byte count converts).
int SourceBlockBytes(const PcmConverter* converter);
// The most PCM bytes one conversion call can leave for a destination of one block.
int LargestBlockOutput(const PcmConverter* converter);

}  // namespace layer
