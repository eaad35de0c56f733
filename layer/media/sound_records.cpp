#include <algorithm>

#include "layer/core/fatal_stop.h"
#include "layer/media/sound_system.h"
#include "layer/media/sound_texts.h"

namespace layer {
namespace {

// A stream sound's ring holds this many seconds.
constexpr int kRingSeconds = 6;

}  // namespace

int AddSoundData(int handle) {
    if (sound_system.started == 0) {
        return -1;
    }
    if (handle == -1) {
        return sound_system.sounds.Add(nullptr);
    }
    return sound_system.sounds.Recreate(handle, nullptr);
}

int CreatePlaybackBuffers(const WaveFormat& format, int bytes, int kind, int count, int handle) {
    SoundRecord* record = FindSound(handle);
    if (record == nullptr) {
        return -1;
    }
    if (kind == 0) {
        if (CreatePlaybackBuffer(&record->buffers[0], format, bytes) != 0) {
            AbortWithError(kPlainBufferFailedText);
        }
        const int wanted = std::clamp(count, 1, kMaxPlaybackBuffers);
        int made = 1;
        while (made < wanted &&
               DuplicatePlaybackBuffer(&record->buffers[made], record->buffers[0]) == 0) {
            ++made;
        }
        record->buffer_count = made;
    } else {
        const int ring = kRingSeconds * static_cast<int>(format.average_bytes_per_second);
        if (CreatePlaybackBuffer(&record->buffers[0], format, ring) != 0) {
            AbortWithError(kStreamBufferFailedText);
        }
        record->buffer_count = 1;
        LinkHandleNode(&sound_system.stream_head, &record->node, handle, record);
    }
    record->stream_flag = kind;
    return 0;
}

}  // namespace layer
