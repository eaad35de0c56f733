#include <algorithm>

#include "layer/core/file_operation_table.h"
#include "layer/core/layer_log.h"
#include "layer/core/tracked_memory.h"
#include "layer/media/media_services.h"
#include "layer/media/sound_texts.h"
#include "layer/media/stream_sound.h"

namespace layer {
namespace {

enum StorageType : int {
    kDecodedImage = 0,
    kCompressedImage = 2,
    kReadWhilePlaying = 3,
};

// A memory stream over the image, or an empty stream when it cannot be had.
BoundStream MemoryBoundStream(const void* image, int size) {
    return BoundStream{*GetMemoryStreamFunctions(), OpenMemoryStream(image, size)};
}

void CloseBoundStream(BoundStream* stream) {
    if (stream->stream != 0) {
        stream->functions.close(stream->stream);
        stream->stream = 0;
    }
}

void FreeSource(StreamSource* source) {
    ClosePcmDecoder(&source->decoder);
    CloseBoundStream(&source->stream);
    FreeTracked(source->image);
    source->image = nullptr;
}

// Reads the stream whole into the source's image and opens the decoder over it.
int OpenCompressedSource(const BoundStream& stream, StreamSource* source) {
    if (ReadWholeStream(stream, &source->image, &source->image_size) != 0) {
        return WriteLog(kStreamReadFailedText);
    }
    source->stream = MemoryBoundStream(source->image, source->image_size);
    if (source->stream.stream == 0 || OpenPcmDecoder(source->stream, &source->decoder) != 0) {
        FreeSource(source);
        return WriteLog(kStreamOpenFailedText);
    }
    return 0;
}

// Decodes the stream whole and keeps the PCM as a WAV image that the decoder reads.
int OpenDecodedSource(const BoundStream& stream, StreamSource* source) {
    std::uint8_t* file = nullptr;
    int file_size = 0;
    if (ReadWholeStream(stream, &file, &file_size) != 0) {
        return WriteLog(kStreamReadFailedText);
    }
    BoundStream file_stream = MemoryBoundStream(file, file_size);
    PcmDecoder decoder;
    WaveFormat format;
    std::uint8_t* pcm = nullptr;
    int pcm_size = 0;
    const bool decoded =
        file_stream.stream != 0 && OpenPcmDecoder(file_stream, &decoder) == 0 &&
        DecodeWholePcm(&decoder, &format, &pcm, &pcm_size) == 0 &&
        BuildWaveImage(&source->image, &source->image_size, format, pcm, pcm_size) == 0;
    ClosePcmDecoder(&decoder);
    CloseBoundStream(&file_stream);
    FreeTracked(pcm);
    FreeTracked(file);
    if (!decoded) {
        return WriteLog(kStreamConvertFailedText);
    }
    source->stream = MemoryBoundStream(source->image, source->image_size);
    if (source->stream.stream == 0 || OpenPcmDecoder(source->stream, &source->decoder) != 0) {
        FreeSource(source);
        return WriteLog(kStreamOpenFailedText);
    }
    return 0;
}

int OpenSource(const BoundStream& stream, int storage_type, StreamSource* source,
               int* close_stream) {
    if (storage_type == kReadWhilePlaying) {
        *close_stream = 0;
        return OpenPcmDecoder(stream, &source->decoder) == 0 ? 0 : WriteLog(kStreamOpenFailedText);
    }
    *close_stream = 1;
    return storage_type == kDecodedImage ? OpenDecodedSource(stream, source)
                                         : OpenCompressedSource(stream, source);
}

// The first source decides the format and the ring: shared with a live stream sound of the
// same format that does not share itself, else a ring of its own.
void SetUpRing(int handle, SoundRecord* record, int share_handle) {
    SoundRecord* owner = FindSound(share_handle);
    if (owner != nullptr && owner != record && owner->stream_flag == 1 && owner->owner == -1 &&
        SameWaveFormat(owner->format, record->format)) {
        record->stream_flag = 1;
        record->buffer_count = 1;
        LinkHandleNode(&sound_system.stream_head, &record->node, handle, record);
        record->owner = share_handle;
        ++owner->sharer_count;
    } else {
        CreatePlaybackBuffers(record->format, 0, 1, 1, handle);
        record->ring_size = 6 * static_cast<int>(record->format.average_bytes_per_second);
        record->owner = -1;
    }
    record->sharer_count = 0;
    record->current_user = -1;
    record->delete_pending = 0;
}

bool IsRingPlaying(int handle, SoundRecord* record) {
    PlaybackBuffer* buffer = nullptr;
    int playing = 0;
    return ClaimSharedBuffer(handle, record, &buffer, 0) == 0 &&
           GetPlaybackBufferStatus(*buffer, &playing) == 0 && playing != 0;
}

}  // namespace

int AddStreamSound(const BoundStream& stream, int repeat_count, int handle, int storage_type,
                   int* close_stream, int share_handle) {
    SoundRecord* record = FindSound(handle);
    if (record == nullptr) {
        return -1;
    }
    if (record->source_count > 0) {
        if (record->stream_flag != 1) {
            return WriteLog(kNotAStreamSoundText);
        }
        if (IsRingPlaying(handle, record)) {
            return WriteLog(kStreamAlreadyPlayingText);
        }
        if (record->source_count >= kMaxStreamSources) {
            return WriteLog(kStreamSourcesFullText);
        }
    }
    StreamSource& source = record->sources[record->source_count];
    source = StreamSource{};
    source.storage_type = storage_type;
    StreamSeek(stream, 0, 0);
    if (OpenSource(stream, storage_type, &source, close_stream) != 0) {
        return -1;
    }
    if (record->source_count == 0) {
        record->format = source.decoder.output;
        SetUpRing(handle, record, share_handle);
    } else if (!SameWaveFormat(source.decoder.output, record->format)) {
        FreeSource(&source);
        return WriteLog(kStreamFormatMismatchText);
    }
    source.repeat_count = static_cast<std::int8_t>(repeat_count);
    ++record->source_count;
    std::int64_t samples = 0;
    for (int i = 0; i < record->source_count; ++i) {
        samples += GetPcmDecoderLength(&record->sources[i].decoder) / record->format.block_align;
    }
    record->total_samples = static_cast<int>(std::min<std::int64_t>(samples, 0x7FFFFFFF));
    return 0;
}

int AddStreamFile(const char* path, int repeat_count, int handle, int storage_type,
                  int share_handle) {
    const FileHandle file = DispatchFileOpen(path, 0, 1, 0);
    if (file == 0) {
        return WriteLogFormat(kStreamFileLoadFailedText, path);
    }
    const BoundStream stream{*GetFileStreamFunctions(), file};
    int close_stream = 1;
    const int type = storage_type == 1 ? kCompressedImage : storage_type;
    if (AddStreamSound(stream, repeat_count, handle, type, &close_stream, share_handle) != 0) {
        DispatchFileClose(file);
        return WriteLogFormat(kStreamFileSetupFailedText, path);
    }
    if (close_stream != 0) {
        DispatchFileClose(file);
    }
    SoundRecord* record = FindSound(handle);
    record->source_owned[record->source_count - 1] = 1;
    return 0;
}

int AddStreamImage(const void* image, int size, int repeat_count, int handle, int storage_type,
                   int share_handle) {
    BoundStream stream = MemoryBoundStream(image, size);
    if (stream.stream == 0) {
        return WriteLog(kStreamImageHandleFailedText);
    }
    int close_stream = 1;
    const int type = storage_type == kDecodedImage ? kDecodedImage : kCompressedImage;
    const int result =
        AddStreamSound(stream, repeat_count, handle, type, &close_stream, share_handle);
    CloseBoundStream(&stream);
    if (result != 0) {
        return WriteLog(kStreamImageSetupFailedText);
    }
    SoundRecord* record = FindSound(handle);
    record->source_owned[record->source_count - 1] = 1;
    return 0;
}

int DeleteStreamSound(int handle, SoundRecord* record) {
    StopStreamSound(handle);
    if (record->owner != -1) {
        SoundRecord* owner = FindSound(record->owner);
        if (owner != nullptr) {
            --owner->sharer_count;
            if (owner->delete_pending != 0 && record->owner != handle) {
                DeleteSoundHandle(record->owner, 0);
            }
        }
    }
    if (record->sharer_count > 0) {
        record->delete_pending = 1;
        return 0;
    }
    UnlinkHandleNode(&record->node);
    for (int i = 0; i < record->source_count; ++i) {
        StreamSource& source = record->sources[i];
        const BoundStream own = source.decoder.stream;
        ClosePcmDecoder(&source.decoder);
        FreeTracked(source.image);
        source.image = nullptr;
        if (source.storage_type == kReadWhilePlaying && record->source_owned[i] != 0) {
            own.functions.close(own.stream);
        }
        CloseBoundStream(&source.stream);
    }
    ReleasePlaybackBuffer(&record->buffers[0]);
    return 1;
}

}  // namespace layer
