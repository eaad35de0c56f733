#include <algorithm>
#include <cstring>
#include <vector>

#include "layer/media/converted_data.h"
#include "layer/media/little_endian.h"
#include "layer/media/pcm_converter.h"

namespace layer {
namespace {

constexpr int kId3HeaderBytes = 10;
constexpr int kId3FooterFlag = 0x10;
constexpr int kTrailingTagBytes = 128;
// The MPEG Layer-3 format block the converter opens: 18 bytes, then the identifier, the
// flags, the block size, the frames per block and the codec delay.
constexpr int kLayer3FormatBytes = 30;
constexpr int kLayer3ExtraBytes = 12;
constexpr int kLayer3Identifier = 1;
constexpr int kCodecDelay = 700;

// Kilobits per second by [MPEG-1][layer - 1][index]; index 0 is free format.
constexpr int kBitRates[2][3][15] = {
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}},
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}}};
constexpr int kSamplingFrequencies[2][3] = {{22050, 24000, 16000}, {44100, 48000, 32000}};

struct FrameScan {
    int first_frame = -1;
    int data_end = 0;
    std::int64_t total_samples = 0;
};

int Id3TagBytes(const std::vector<std::uint8_t>& file) {
    if (file.size() < kId3HeaderBytes || std::memcmp(file.data(), "ID3", 3) != 0) {
        return 0;
    }
    const int size =
        (file[6] & 0x7F) << 21 | (file[7] & 0x7F) << 14 | (file[8] & 0x7F) << 7 | (file[9] & 0x7F);
    const bool footer = file[3] == 4 && (file[5] & kId3FooterFlag) != 0;
    return kId3HeaderBytes + size + (footer ? kId3HeaderBytes : 0);
}

// The frames from the end of the tag to the tail; false when a frame sync begins a header
// that does not parse, or there is no frame.
bool ScanFrames(const std::vector<std::uint8_t>& file, FrameScan* scan) {
    const int size = static_cast<int>(file.size());
    int tail = size;
    if (size > kTrailingTagBytes &&
        std::memcmp(&file[static_cast<std::size_t>(size) - 128], "TAG", 3) == 0) {
        tail = size - kTrailingTagBytes;
    }
    int at = Id3TagBytes(file);
    while (at + 1 < tail) {
        const std::uint8_t* bytes = file.data() + at;
        if (bytes[0] != 0xFF) {
            ++at;
            continue;
        }
        if ((bytes[1] & 0xF0) != 0xF0) {
            at += 2;
            continue;
        }
        if (at + 4 > size) {
            break;
        }
        MpegFrameHeader header;
        if (ParseMpegFrameHeader(bytes, &header) != 0) {
            return false;
        }
        if (scan->first_frame < 0) {
            scan->first_frame = at;
        }
        scan->total_samples += header.samples_per_frame;
        const int end = at + header.frame_length;
        scan->data_end = std::min(end, tail);
        if (end >= tail) {
            break;
        }
        at = end;
    }
    return scan->first_frame >= 0;
}

}  // namespace

int ParseMpegFrameHeader(const std::uint8_t* bytes, MpegFrameHeader* header) {
    if (bytes[0] != 0xFF || (bytes[1] & 0xF0) != 0xF0) {
        return -2;
    }
    header->mpeg1 = (bytes[1] >> 3) & 1;
    const int layer_bits = (bytes[1] >> 1) & 3;
    const int bit_rate_index = bytes[2] >> 4;
    const int frequency_index = (bytes[2] >> 2) & 3;
    if (layer_bits == 0 || bit_rate_index == 15 || bit_rate_index == 0 || frequency_index == 3) {
        return -1;
    }
    header->layer = 4 - layer_bits;
    header->bit_rate = kBitRates[header->mpeg1][header->layer - 1][bit_rate_index] * 1000;
    header->sampling_frequency = kSamplingFrequencies[header->mpeg1][frequency_index];
    header->padding = (bytes[2] >> 1) & 1;
    header->channels = (bytes[3] >> 6) == 3 ? 1 : 2;
    if (header->layer == 1) {
        header->frame_length =
            (12 * header->bit_rate / header->sampling_frequency + header->padding) * 4;
        header->samples_per_frame = 384;
    } else if (header->layer == 3 && header->mpeg1 == 0) {
        header->frame_length = 72 * header->bit_rate / header->sampling_frequency + header->padding;
        header->samples_per_frame = 576;
    } else {
        header->frame_length =
            144 * header->bit_rate / header->sampling_frequency + header->padding;
        header->samples_per_frame = 1152;
    }
    return 0;
}

int OpenMp3(PcmDecoder* decoder) {
    const BoundStream& stream = decoder->stream;
    const std::int64_t size = StreamBytesFrom(stream, 0);
    if (size <= 0 || size > 0x7FFFFFFF) {
        return -1;
    }
    std::vector<std::uint8_t> file(static_cast<std::size_t>(size));
    FrameScan scan;
    if (!StreamReadBytes(stream, file.data(), file.size()) || !ScanFrames(file, &scan)) {
        return -1;
    }
    MpegFrameHeader first;
    ParseMpegFrameHeader(file.data() + scan.first_frame, &first);
    // The PCM length must fit the decoder's byte counts.
    if (scan.total_samples * first.channels * 2 > 0x7FFFFFFF) {
        return -1;
    }
    std::uint8_t format[kLayer3FormatBytes] = {};
    WriteLe16(format, kMpegLayer3Tag);
    WriteLe16(format + 2, static_cast<std::uint32_t>(first.channels));
    WriteLe32(format + 4, static_cast<std::uint32_t>(first.sampling_frequency));
    WriteLe32(format + 8, static_cast<std::uint32_t>(first.bit_rate / 8));
    WriteLe16(format + 12, 1);
    WriteLe16(format + 16, kLayer3ExtraBytes);
    WriteLe16(format + 18, kLayer3Identifier);
    WriteLe32(format + 20, static_cast<std::uint32_t>(first.padding));
    WriteLe16(format + 24, static_cast<std::uint32_t>(first.frame_length));
    WriteLe16(format + 26, 1);
    WriteLe16(format + 28, kCodecDelay);
    WaveFormat output;
    if (SuggestPcmFormat(format, kLayer3FormatBytes, &output) != 0 ||
        OpenConvertedData(decoder, format, kLayer3FormatBytes, scan.first_frame,
                          scan.data_end - scan.first_frame,
                          static_cast<int>(output.average_bytes_per_second * 4 / 3)) != 0) {
        return -1;
    }
    decoder->output = output;
    decoder->total_samples = static_cast<int>(scan.total_samples);
    return 0;
}

}  // namespace layer
