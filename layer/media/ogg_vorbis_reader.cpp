#include <algorithm>
#include <climits>

#include "layer/media/pcm_decoder.h"

namespace layer {
namespace {

constexpr int kOggOutputBytes = 4096;
// Headroom of one second of samples over the stream's stated length.
constexpr ogg_int64_t kCapacityHeadroomSamples = 44100;

const BoundStream* StreamOf(void* source) {
    return static_cast<const BoundStream*>(source);
}

std::size_t ReadOggCallback(void* destination, std::size_t size, std::size_t count, void* source) {
    if (source == nullptr || size == 0) {
        return 0;
    }
    const BoundStream* stream = StreamOf(source);
    const int read = stream->functions.read(destination, static_cast<int>(size),
                                            static_cast<int>(std::min<std::size_t>(count, INT_MAX)),
                                            stream->stream);
    return read < 0 ? 0 : static_cast<std::size_t>(read);
}

int SeekOggCallback(void* source, ogg_int64_t offset, int origin) {
    if (source == nullptr) {
        return -1;
    }
    return StreamSeek(*StreamOf(source), offset, origin) ? 0 : -1;
}

int CloseOggCallback(void*) {
    return 0;
}

long TellOggCallback(void* source) {
    if (source == nullptr) {
        return -1;
    }
    return static_cast<long>(StreamTell(*StreamOf(source)));
}

constexpr ov_callbacks kOggCallbacks = {ReadOggCallback, SeekOggCallback, CloseOggCallback,
                                        TellOggCallback};

}  // namespace

int OpenOggVorbis(PcmDecoder* decoder) {
    if (ov_open_callbacks(&decoder->stream, &decoder->vorbis, nullptr, 0, kOggCallbacks) != 0) {
        return -1;
    }
    decoder->vorbis_opened = 1;
    const vorbis_info* info = ov_info(&decoder->vorbis, -1);
    const ogg_int64_t samples = ov_pcm_total(&decoder->vorbis, -1);
    if (info == nullptr || info->channels < 1 || samples < 0 || info->rate <= 0) {
        CloseOggVorbis(decoder);
        return -1;
    }
    decoder->word_size = 2;
    decoder->output =
        Pcm16Format(info->channels, static_cast<int>(std::min<long>(info->rate, INT_MAX)));
    const ogg_int64_t capacity = (samples + kCapacityHeadroomSamples) * info->channels * 2;
    if (!IsPlayablePcm(decoder->output) || capacity > INT_MAX) {
        CloseOggVorbis(decoder);
        return -1;
    }
    decoder->data_size = GetOggPcmLength(decoder);
    decoder->output_size = kOggOutputBytes;
    decoder->kind = kPcmDecoderOggVorbis;
    return 0;
}

int GetOggPcmLength(PcmDecoder* decoder) {
    return static_cast<int>(decoder->output.channels * 2 * ov_pcm_total(&decoder->vorbis, -1));
}

int GetOggPcmCapacity(PcmDecoder* decoder) {
    return static_cast<int>((ov_pcm_total(&decoder->vorbis, -1) + kCapacityHeadroomSamples) *
                            decoder->output.channels * 2);
}

int DecodeOggBlock(PcmDecoder* decoder) {
    while (true) {
        int section = 0;
        const long result =
            ov_read(&decoder->vorbis, reinterpret_cast<char*>(decoder->output_buffer),
                    decoder->output_size, 0, decoder->word_size, 1, &section);
        if (result > 0) {
            decoder->valid = static_cast<int>(result);
            return 0;
        }
        // A hole is a gap in the pages: the data goes on after it.
        if (result != OV_HOLE) {
            return -1;
        }
    }
}

void SeekOggVorbis(PcmDecoder* decoder, int sample) {
    ov_pcm_seek(&decoder->vorbis, sample);
    decoder->position = sample * decoder->output.block_align;
    decoder->valid = 0;
    decoder->read_offset = 0;
}

void CloseOggVorbis(PcmDecoder* decoder) {
    if (decoder->vorbis_opened != 0) {
        ov_clear(&decoder->vorbis);
        decoder->vorbis_opened = 0;
    }
}

}  // namespace layer
