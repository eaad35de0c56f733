// Bytes as a sound file through a memory stream into the PCM decoder: opened, its format and
// length asked, read, sought back to the middle and to the start, read again, closed.
#include <cstdint>
#include <vector>

#include "layer/core/stream_functions.h"
#include "layer/media/pcm_decoder.h"

namespace {

constexpr int kReadBytes = 8192;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const layer::StreamValue stream =
        layer::OpenMemoryStream(data, static_cast<std::int64_t>(size));
    layer::PcmDecoder decoder;
    if (layer::OpenPcmDecoder(layer::BoundStream{*layer::GetMemoryStreamFunctions(), stream},
                              &decoder) == 0) {
        layer::WaveFormat format;
        layer::GetPcmDecoderFormat(&decoder, &format);
        const int length = layer::GetPcmDecoderLength(&decoder);
        std::vector<std::uint8_t> pcm(kReadBytes);
        layer::ReadPcmDecoder(&decoder, pcm.data(), kReadBytes);
        const int frame_bytes = format.block_align > 0 ? format.block_align : 1;
        layer::SeekPcmDecoder(&decoder, length / frame_bytes / 2);
        layer::ReadPcmDecoder(&decoder, pcm.data(), kReadBytes);
        layer::SeekPcmDecoder(&decoder, 0);
        layer::ReadPcmDecoder(&decoder, pcm.data(), kReadBytes);
        layer::ClosePcmDecoder(&decoder);
    }
    layer::CloseMemoryStream(stream);
    return 0;
}
