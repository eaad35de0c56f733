#include "layer/media/mpeg_audio_decoder.h"

#include <mpg123.h>

namespace layer {

struct MpegAudioDecoder {
    mpg123_handle* handle = nullptr;
};

MpegAudioDecoder* OpenMpegAudioDecoder(int rate, int channels) {
    static const int initialised = mpg123_init();
    if (initialised != MPG123_OK) {
        return nullptr;
    }
    mpg123_handle* handle = mpg123_new(nullptr, nullptr);
    if (handle == nullptr) {
        return nullptr;
    }
    mpg123_param(handle, MPG123_REMOVE_FLAGS, MPG123_GAPLESS, 0.0);
    mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_IGNORE_INFOFRAME | MPG123_QUIET, 0.0);
    if (mpg123_format_none(handle) != MPG123_OK ||
        mpg123_format(handle, rate, channels == 1 ? MPG123_MONO : MPG123_STEREO,
                      MPG123_ENC_SIGNED_16) != MPG123_OK ||
        mpg123_open_feed(handle) != MPG123_OK) {
        mpg123_delete(handle);
        return nullptr;
    }
    return new MpegAudioDecoder{handle};
}

void CloseMpegAudioDecoder(MpegAudioDecoder* decoder) {
    if (decoder != nullptr) {
        mpg123_delete(decoder->handle);
        delete decoder;
    }
}

void DecodeMpegAudio(MpegAudioDecoder* decoder, const std::uint8_t* source, int source_bytes,
                     std::uint8_t* destination, int capacity, int* used, int* produced) {
    *used = 0;
    *produced = 0;
    while (*produced < capacity) {
        std::size_t done = 0;
        const int result = mpg123_read(decoder->handle, destination + *produced,
                                       static_cast<std::size_t>(capacity - *produced), &done);
        *produced += static_cast<int>(done);
        if (result == MPG123_NEW_FORMAT || (result == MPG123_OK && done > 0)) {
            continue;
        }
        if (result != MPG123_NEED_MORE || *used == source_bytes) {
            return;
        }
        if (mpg123_feed(decoder->handle, source + *used,
                        static_cast<std::size_t>(source_bytes - *used)) != MPG123_OK) {
            return;
        }
        *used = source_bytes;
    }
}

}  // namespace layer
