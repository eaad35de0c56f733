#pragma once

#include <cstdint>

#include "layer/media/pcm_decoder.h"

namespace layer {

// Sets a decoder up to convert compressed data: the data read whole into memory from
// `data_offset`, a main and a spare converter opened for the source format (kept in a block of
// at least 18 bytes), and an output buffer of `output_size` bytes or one block's output when
// that is more (the decoder's buffer is allocated by its opener). The stream is left at the
// data. 0, or -1 with nothing kept.
int OpenConvertedData(PcmDecoder* decoder, const std::uint8_t* source_format, int format_size,
                      int data_offset, int data_size, int output_size);

}  // namespace layer
