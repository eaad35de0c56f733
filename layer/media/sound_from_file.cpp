#include <algorithm>

#include "layer/core/layer_log.h"
#include "layer/core/tracked_memory.h"
#include "layer/media/media_services.h"
#include "layer/media/sound_texts.h"
#include "layer/media/stream_sound.h"

namespace layer {

int BuildSoundFromFile(const char* path, int buffer_count, int share_handle) {
    if (sound_system.started == 0) {
        return -1;
    }
    const int count = std::min(buffer_count, kMaxPlaybackBuffers);
    if (sound_system.load_mode != 0) {
        const int handle = AddSoundData(-1);
        if (handle == -1) {
            return -1;
        }
        if (AddStreamFile(path, 0, handle, sound_system.load_mode, share_handle) != 0) {
            DeleteSoundHandle(handle, 0);
            return -1;
        }
        PrimeStreamSound(handle);
        return handle;
    }
    std::uint8_t* image = nullptr;
    int size = 0;
    if (ReadWholeSoundFile(path, &image, &size) != 0) {
        return WriteLogFormat(kSoundFileLoadFailed1Text, path);
    }
    const int handle = CreateSoundFromFileImage(image, size, count, -1);
    if (handle == -1) {
        WriteLogFormat(kSoundFileLoadFailed2Text, path);
    }
    FreeTracked(image);
    return handle;
}

}  // namespace layer
