// Building, playing, stopping and deleting sound handles. Only the media services live here,
// so that the layer core's tests, which record these calls, link without this file.
#include <algorithm>
#include <cstring>

#include "layer/core/layer_log.h"
#include "layer/core/message_pump.h"
#include "layer/core/tracked_memory.h"
#include "layer/media/media_services.h"
#include "layer/media/sound_texts.h"
#include "layer/media/stream_sound.h"
#include "layer/media/tracked_block.h"
#include "platform/clock.h"

namespace layer {
namespace {

// Decodes the image whole; the PCM and its format, or false after the log line.
bool DecodeImage(const void* image, int size, WaveFormat* format, TrackedBlock* pcm,
                 int* pcm_size) {
    const StreamValue value = OpenMemoryStream(image, size);
    if (value == 0) {
        WriteLog(kPcmConversionFailedText);
        return false;
    }
    const BoundStream stream{*GetMemoryStreamFunctions(), value};
    PcmDecoder decoder;
    bool decoded = false;
    if (OpenPcmDecoder(stream, &decoder) != 0) {
        WriteLog(kPcmConversionFailedText);
    } else {
        std::uint8_t* memory = nullptr;
        if (DecodeWholePcm(&decoder, format, &memory, pcm_size) != 0) {
            WriteLog(kPcmMemoryFailedText);
        } else {
            *pcm = TrackedBlock::Adopt(memory);
            // Less than one block is nothing a buffer can play.
            decoded = *pcm_size >= format->block_align;
            if (!decoded) {
                WriteLog(kPcmConversionFailedText);
            }
        }
        ClosePcmDecoder(&decoder);
    }
    CloseMemoryStream(value);
    return decoded;
}

// Copies the PCM into every buffer of the record.
bool CopyIntoBuffers(SoundRecord* record) {
    for (int i = 0; i < record->buffer_count; ++i) {
        platform::AudioLock lock;
        if (LockPlaybackBuffer(record->buffers[i], 0, record->pcm_length, &lock) != 0) {
            WriteLog(kSoundTransferLockFailedText);
            return false;
        }
        std::memcpy(lock.first, record->pcm, lock.first_size);
        // A lock from the buffer's start is one part: the second is absent, its pointer null.
        if (lock.second_size != 0) {
            std::memcpy(lock.second, record->pcm + lock.first_size, lock.second_size);
        }
        if (UnlockPlaybackBuffer(record->buffers[i], lock) != 0) {
            WriteLog(kSoundTransferUnlockFailedText);
            return false;
        }
    }
    return true;
}

int BuildPlainSound(int handle, const void* image, int size, int buffer_count) {
    WaveFormat format;
    TrackedBlock pcm;
    int pcm_size = 0;
    if (!DecodeImage(image, size, &format, &pcm, &pcm_size)) {
        return -1;
    }
    pcm_size -= pcm_size % format.block_align;
    CreatePlaybackBuffers(format, pcm_size, 0, buffer_count, handle);
    SoundRecord* record = FindSound(handle);
    record->format = format;
    record->pcm_length = pcm_size;
    record->pcm = pcm.Release();
    return CopyIntoBuffers(record) ? 0 : -1;
}

SoundRecord* PlainRecord(int sound) {
    SoundRecord* record = FindSound(sound);
    return record != nullptr && record->stream_flag == 0 ? record : nullptr;
}

bool IsStream(int sound) {
    const SoundRecord* record = FindSound(sound);
    return record != nullptr && record->stream_flag == 1;
}

}  // namespace

int CreateSoundFromFileImage(const void* image, int size, int buffer_count, int share_handle) {
    if (sound_system.started == 0 || buffer_count > kMaxPlaybackBuffers) {
        return -1;
    }
    const int handle = AddSoundData(-1);
    if (handle == -1) {
        return -1;
    }
    int result = 0;
    if (sound_system.load_mode != 0) {
        result = AddStreamImage(image, size, 0, handle, sound_system.load_mode, share_handle);
        if (result == 0) {
            PrimeStreamSound(handle);
        }
    } else {
        result = BuildPlainSound(handle, image, size, buffer_count);
    }
    if (result != 0) {
        DeleteSoundHandle(handle, 0);
        return -1;
    }
    return handle;
}

int PlaySoundHandle(int sound, int play_type, int restart) {
    if (IsStream(sound)) {
        return PlayStreamSound(sound, play_type, restart);
    }
    SoundRecord* record = PlainRecord(sound);
    if (record == nullptr || record->buffer_count == 0) {
        return -1;
    }
    std::uint32_t previous = 0;
    GetPlaybackBufferCursor(record->buffers[record->round_robin], &previous);
    record->round_robin = (record->round_robin + 1) % record->buffer_count;
    const PlaybackBuffer& buffer = record->buffers[record->round_robin];
    int playing = 0;
    if (GetPlaybackBufferStatus(buffer, &playing) != 0) {
        return -1;
    }
    if (playing != 0) {
        if (restart == 0) {
            return 0;
        }
        StopPlaybackBuffer(buffer);
    }
    SetPlaybackBufferPosition(buffer, restart == 1 ? 0 : static_cast<int>(previous));
    if (PlayPlaybackBuffer(buffer, play_type == kPlayLoop ? 1 : 0) != 0) {
        return -1;
    }
    record->start_time = platform::MonotonicMilliseconds();
    if (play_type == kPlayWait) {
        while (RunMessagePump() == 0 && IsSoundHandlePlaying(sound) == 1) {
            platform::SleepMilliseconds(1);
        }
    }
    return 0;
}

int StopSoundHandle(int sound) {
    if (IsStream(sound)) {
        return StopStreamSound(sound);
    }
    SoundRecord* record = PlainRecord(sound);
    if (record == nullptr) {
        return -1;
    }
    for (int i = 0; i < record->buffer_count; ++i) {
        int playing = 0;
        if (GetPlaybackBufferStatus(record->buffers[i], &playing) != 0) {
            return -1;
        }
        if (playing != 0) {
            StopPlaybackBuffer(record->buffers[i]);
        }
    }
    return 0;
}

int IsSoundHandlePlaying(int sound) {
    if (IsStream(sound)) {
        return IsStreamPlaying(sound);
    }
    SoundRecord* record = PlainRecord(sound);
    if (record == nullptr) {
        return -1;
    }
    for (int i = 0; i < record->buffer_count; ++i) {
        int playing = 0;
        if (GetPlaybackBufferStatus(record->buffers[i], &playing) == 0 && playing != 0) {
            return 1;
        }
    }
    return 0;
}

int DeleteSoundHandle(int sound, int) {
    SoundRecord* record = FindSound(sound);
    if (record == nullptr) {
        return -1;
    }
    if (record->stream_flag == 1) {
        if (DeleteStreamSound(sound, record) == 0) {
            return 0;
        }
    } else {
        if (record->buffers[0].valid != 0) {
            StopSoundHandle(sound);
        }
        for (PlaybackBuffer& buffer : record->buffers) {
            if (buffer.valid != 0) {
                ReleasePlaybackBuffer(&buffer);
            }
        }
        FreeTracked(record->pcm);
        record->pcm = nullptr;
    }
    return sound_system.sounds.Remove(sound);
}

int DeleteAllSoundHandles(int flag) {
    if (sound_system.started == 0) {
        return -1;
    }
    sound_system.sounds.DeleteAll([flag](int handle) { DeleteSoundHandle(handle, flag); });
    return 0;
}

}  // namespace layer
