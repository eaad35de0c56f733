#include "layer/media/wave_format.h"

#include <algorithm>
#include <cstring>

#include "layer/media/little_endian.h"

namespace layer {

WaveFormat ReadWaveFormat(const std::uint8_t* bytes, int size) {
    std::uint8_t padded[kWaveFormatBytes] = {};
    std::memcpy(padded, bytes, static_cast<std::size_t>(std::clamp(size, 0, kWaveFormatBytes)));
    WaveFormat format;
    format.format_tag = ReadLe16(padded);
    format.channels = ReadLe16(padded + 2);
    format.samples_per_second = ReadLe32(padded + 4);
    format.average_bytes_per_second = ReadLe32(padded + 8);
    format.block_align = ReadLe16(padded + 12);
    format.bits_per_sample = ReadLe16(padded + 14);
    format.extra_size = ReadLe16(padded + 16);
    return format;
}

void WriteWaveFormat(const WaveFormat& format, std::uint8_t* bytes) {
    WriteLe16(bytes, format.format_tag);
    WriteLe16(bytes + 2, format.channels);
    WriteLe32(bytes + 4, format.samples_per_second);
    WriteLe32(bytes + 8, format.average_bytes_per_second);
    WriteLe16(bytes + 12, format.block_align);
    WriteLe16(bytes + 14, format.bits_per_sample);
    WriteLe16(bytes + 16, format.extra_size);
}

bool SameWaveFormat(const WaveFormat& a, const WaveFormat& b) {
    std::uint8_t left[kWaveFormatBytes];
    std::uint8_t right[kWaveFormatBytes];
    WriteWaveFormat(a, left);
    WriteWaveFormat(b, right);
    return std::memcmp(left, right, kWaveFormatBytes) == 0;
}

WaveFormat Pcm16Format(int channels, int samples_per_second) {
    WaveFormat format;
    format.format_tag = kWavePcmTag;
    format.channels = static_cast<std::uint16_t>(channels);
    format.samples_per_second = static_cast<std::uint32_t>(samples_per_second);
    format.block_align = static_cast<std::uint16_t>(channels * 2);
    format.bits_per_sample = 16;
    format.average_bytes_per_second =
        static_cast<std::uint32_t>(samples_per_second) * format.block_align;
    return format;
}

platform::PcmFormat MixerFormatOf(const WaveFormat& format) {
    return {format.channels, format.bits_per_sample,
            static_cast<int>(std::min<std::uint32_t>(format.samples_per_second, 0x7FFFFFFF))};
}

bool IsPlayablePcm(const WaveFormat& format) {
    return format.format_tag == kWavePcmTag && platform::IsPlayableFormat(MixerFormatOf(format)) &&
           format.block_align == format.channels * format.bits_per_sample / 8;
}

}  // namespace layer
