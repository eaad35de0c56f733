#include <algorithm>

#include "layer/core/layer_log.h"
#include "layer/core/message_pump.h"
#include "layer/core/tracked_memory.h"
#include "layer/media/media_services.h"
#include "layer/media/sound_texts.h"
#include "layer/media/stream_sound.h"
#include "platform/clock.h"

namespace layer {
namespace {

SoundRecord* StreamRecord(int handle) {
    SoundRecord* record = FindSound(handle);
    return record != nullptr && record->stream_flag == 1 ? record : nullptr;
}

// The decoded length of a source in bytes, as seeking measures it.
std::int64_t DecodedLength(StreamSource* source) {
    return source->decoder.kind == kPcmDecoderConverted ? GetPcmDecoderLength(&source->decoder)
                                                        : source->decoder.data_size;
}

void ResetStream(SoundRecord* record) {
    record->end_passed = 0;
    record->byte_position = 0;
    record->played = 0;
    record->jump_count = 0;
    record->repeat_counter = 0;
    record->current_source = 0;
    record->primed = 0;
}

}  // namespace

int ClaimSharedBuffer(int handle, SoundRecord* record, PlaybackBuffer** buffer, int take_over) {
    SoundRecord* holder = record->owner != -1 ? FindSound(record->owner) : record;
    if (holder == nullptr) {
        return -1;
    }
    const int user = holder->current_user;
    if (user != -1 && user != handle) {
        if (take_over == 0) {
            return -1;
        }
        StopStreamSound(user);
    }
    holder->current_user = handle;
    *buffer = &holder->buffers[0];
    return 0;
}

int PlayStreamSound(int handle, int play_type, int restart) {
    SoundRecord* record = StreamRecord(handle);
    PlaybackBuffer* buffer = nullptr;
    if (record == nullptr || record->source_count == 0 ||
        ClaimSharedBuffer(handle, record, &buffer, 1) != 0) {
        return -1;
    }
    if (restart == 0 && IsStreamPlaying(handle) == 1) {
        return 0;
    }
    StopStreamSound(handle);
    const bool looping_changed = (play_type == kPlayLoop) != (record->play_type == kPlayLoop);
    if ((looping_changed && record->end_passed != 0) || (restart == 1 && record->played > 0)) {
        ResetStream(record);
    }
    if (restart == 1) {
        record->end_passed = 0;
    }
    record->play_type = play_type;
    PrimeStreamSound(handle);
    if (PlayPlaybackBuffer(*buffer, 1) != 0) {
        return -1;
    }
    record->start_time = platform::MonotonicMilliseconds();
    if (play_type == kPlayWait) {
        while (RunMessagePump() == 0 && IsStreamPlaying(handle) == 1) {
        }
    }
    return 0;
}

int StopStreamSound(int handle) {
    SoundRecord* record = StreamRecord(handle);
    if (record == nullptr) {
        return -1;
    }
    TrackStreamPlayPosition(handle, -1);
    PlaybackBuffer* buffer = nullptr;
    if (ClaimSharedBuffer(handle, record, &buffer, 0) != 0) {
        return 0;
    }
    if (SoundRecord* owner = record->owner != -1 ? FindSound(record->owner) : nullptr) {
        owner->current_user = -1;
    }
    int playing = 0;
    if (GetPlaybackBufferStatus(*buffer, &playing) != 0) {
        return -1;
    }
    if (playing != 0) {
        StopPlaybackBuffer(*buffer);
    }
    return 0;
}

int IsStreamPlaying(int handle) {
    SoundRecord* record = StreamRecord(handle);
    PlaybackBuffer* buffer = nullptr;
    int playing = 0;
    if (record == nullptr || ClaimSharedBuffer(handle, record, &buffer, 0) != 0 ||
        GetPlaybackBufferStatus(*buffer, &playing) != 0) {
        return 0;
    }
    return playing != 0 ? 1 : 0;
}

int GetStreamPositionMs(int handle) {
    SoundRecord* record = StreamRecord(handle);
    if (record == nullptr) {
        return -1;
    }
    TrackStreamPlayPosition(handle, -1);
    const double seconds =
        static_cast<double>(record->played) / record->format.average_bytes_per_second;
    return std::min(GetSoundHandleLengthMs(handle), static_cast<int>(seconds * 1000));
}

int SeekStreamSoundMs(int milliseconds, int handle) {
    SoundRecord* record = StreamRecord(handle);
    if (record == nullptr) {
        return -1;
    }
    const int block = record->format.block_align;
    const double rate = record->format.samples_per_second;
    std::int64_t remaining = milliseconds;
    int found = 0;
    for (; found < record->source_count; ++found) {
        const std::int64_t length = DecodedLength(&record->sources[found]) * 1000 /
                                    (block * static_cast<std::int64_t>(rate));
        if (remaining < length) {
            break;
        }
        remaining -= length;
    }
    if (found == record->source_count || milliseconds < 0) {
        return -1;
    }
    // A playing ring would loop what it holds until the next play primes it again.
    if (IsStreamPlaying(handle) == 1) {
        StopStreamSound(handle);
    }
    record->current_source = found;
    record->repeat_counter = 0;
    record->jump_count = 0;
    record->played = static_cast<std::uint32_t>(static_cast<std::int64_t>(
        record->format.average_bytes_per_second * (milliseconds * 0.001)));
    record->byte_position =
        static_cast<int>(static_cast<std::int64_t>(rate * remaining * 0.001)) * block;
    record->primed = 0;
    return 0;
}

int SetStreamLoopPoint(int sample, int handle) {
    SoundRecord* record = FindSound(handle);
    if (record == nullptr || sample < 0 || sample >= GetSoundHandleLengthSamples(handle)) {
        return -1;
    }
    if (record->stream_flag == 0) {
        std::uint8_t* image = nullptr;
        int size = 0;
        if (BuildWaveImage(&image, &size, record->format, record->pcm, record->pcm_length) != 0) {
            return -1;
        }
        StopSoundHandle(handle);
        DeleteSoundHandle(handle, 0);
        const bool rebuilt =
            AddSoundData(handle) == handle && AddStreamImage(image, size, 0, handle, 0, -1) == 0;
        FreeTracked(image);
        if (!rebuilt) {
            return WriteLog(kStreamHandleFailedText);
        }
        record = FindSound(handle);
    }
    if (record->source_count >= 2) {
        return WriteLog(kLoopPointManySourcesText);
    }
    StreamSource& source = record->sources[0];
    source.loop_sample = sample;
    source.repeat_count = -1;
    source.decoder.spare_target = record->format.block_align * sample;
    return 0;
}

}  // namespace layer
