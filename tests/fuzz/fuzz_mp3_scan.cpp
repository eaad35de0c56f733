// Bytes as an MPEG audio file into the MP3 reader alone: its tag skipping and frame scan, and
// the converter it opens for what it accepts.
#include <cstdint>

#include "layer/core/stream_functions.h"
#include "layer/media/pcm_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const layer::StreamValue stream =
        layer::OpenMemoryStream(data, static_cast<std::int64_t>(size));
    layer::PcmDecoder decoder;
    decoder.stream = layer::BoundStream{*layer::GetMemoryStreamFunctions(), stream};
    if (layer::OpenMp3(&decoder) == 0)
        layer::CloseAcmDecoder(&decoder);
    layer::CloseMemoryStream(stream);
    return 0;
}
