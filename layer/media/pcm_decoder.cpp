#include "layer/media/pcm_decoder.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "layer/core/tracked_memory.h"
#include "layer/media/pcm_converter.h"
#include "layer/media/sound_system.h"
#include "layer/media/tracked_block.h"

namespace layer {
namespace {

// A seek this close to the position is not worth making.
constexpr int kSeekSlack = 15;

struct Reader {
    int (*open)(PcmDecoder*);
    int (*produce)(PcmDecoder*);
    void (*seek)(PcmDecoder*, int target);
    void (*close)(PcmDecoder*);
};

void SeekOggTarget(PcmDecoder* decoder, int target) {
    SeekOggVorbis(decoder, target / decoder->output.block_align);
}

void CloseNothing(PcmDecoder*) {}

// By PcmDecoderKind, in the order the opening tries them (MP3 last, converted like WAV data).
constexpr Reader kReaders[] = {
    {OpenPcmWave, ReadPcmBlock, SeekPcmData, CloseNothing},
    {OpenAcmWave, ConvertAcmBlock, SeekAcmData, CloseAcmDecoder},
    {OpenOggVorbis, DecodeOggBlock, SeekOggTarget, CloseOggVorbis},
    {OpenMp3, ConvertAcmBlock, SeekAcmData, CloseAcmDecoder},
};

const Reader& ReaderOf(const PcmDecoder* decoder) {
    return kReaders[decoder->kind];
}

}  // namespace

int OpenPcmDecoder(const BoundStream& stream, PcmDecoder* decoder) {
    decoder->vorbis_copy_selector = sound_system.vorbis_copy_selector;
    decoder->stream = stream;
    decoder->spare_target = 0;
    const Reader* accepted = nullptr;
    for (const Reader& reader : kReaders) {
        if (StreamSeek(stream, 0, 0) && reader.open(decoder) == 0) {
            accepted = &reader;
            break;
        }
    }
    if (accepted == nullptr) {
        return -1;
    }
    decoder->open = 0;
    decoder->end = 0;
    decoder->output_buffer = static_cast<std::uint8_t*>(
        AllocTracked(static_cast<std::size_t>(decoder->output_size), __FILE__, __LINE__));
    if (decoder->output_buffer == nullptr) {
        accepted->close(decoder);
        return -1;
    }
    decoder->valid = 0;
    decoder->read_offset = 0;
    decoder->position = 0;
    decoder->open = 1;
    return 0;
}

int ClosePcmDecoder(PcmDecoder* decoder) {
    if (decoder->open == 0) {
        return -1;
    }
    FreeTracked(decoder->output_buffer);
    decoder->output_buffer = nullptr;
    ReaderOf(decoder).close(decoder);
    decoder->open = 0;
    return 0;
}

int ReadPcmDecoder(PcmDecoder* decoder, void* destination, int count) {
    if (decoder->open == 0) {
        return -1;
    }
    auto* out = static_cast<std::uint8_t*>(destination);
    int delivered = 0;
    while (decoder->end == 0 && count > 0) {
        if (decoder->valid == 0) {
            decoder->read_offset = 0;
            if (ReaderOf(decoder).produce(decoder) == -1) {
                decoder->end = 1;
                break;
            }
        }
        const int bytes = std::min(count, decoder->valid);
        std::memcpy(out, decoder->output_buffer + decoder->read_offset,
                    static_cast<std::size_t>(bytes));
        decoder->position += bytes;
        decoder->read_offset += bytes;
        decoder->valid -= bytes;
        out += bytes;
        count -= bytes;
        delivered += bytes;
    }
    return delivered;
}

int SeekPcmDecoder(PcmDecoder* decoder, int sample) {
    const int target = sample * decoder->output.block_align;
    if (std::abs(target - decoder->position) <= kSeekSlack) {
        return 0;
    }
    decoder->end = 0;
    ReaderOf(decoder).seek(decoder, target);
    return 0;
}

int GetPcmDecoderFormat(const PcmDecoder* decoder, WaveFormat* format) {
    *format = decoder->output;
    return 0;
}

int GetPcmDecoderLength(PcmDecoder* decoder) {
    switch (decoder->kind) {
        case kPcmDecoderConverted:
            if (decoder->total_samples >= 0) {
                return decoder->total_samples * decoder->output.block_align;
            }
            return static_cast<int>(std::min<std::int64_t>(
                EstimatePcmBytes(decoder->main_converter, decoder->compressed_size), 0x7FFFFFFF));
        case kPcmDecoderOggVorbis:
            return GetOggPcmCapacity(decoder);
        default:
            return decoder->data_size;
    }
}

int DecodeWholePcm(PcmDecoder* decoder, WaveFormat* format, std::uint8_t** pcm, int* size) {
    const int length = GetPcmDecoderLength(decoder);
    TrackedBlock memory = TrackedBlock::Allocate(static_cast<std::size_t>(std::max(length, 1)));
    if (!memory) {
        return -1;
    }
    SeekPcmDecoder(decoder, 0);
    if (decoder->kind == kPcmDecoderPcm) {
        const int read =
            StreamSeek(decoder->stream, decoder->data_offset, 0)
                ? decoder->stream.functions.read(memory.get(), 1, length, decoder->stream.stream)
                : 0;
        *size = std::max(read, 0);
    } else {
        *size = ReadPcmDecoder(decoder, memory.get(), length);
    }
    *format = decoder->output;
    *pcm = memory.Release();
    return 0;
}

}  // namespace layer
