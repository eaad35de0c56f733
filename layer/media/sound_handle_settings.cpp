// Volume, frequency, position, length and load mode of sound handles. Only the media services
// live here, so that the layer core's tests, which record these calls, link without this file.
#include <algorithm>
#include <cmath>

#include "layer/media/media_services.h"
#include "layer/media/stream_sound.h"

namespace layer {

int SetSoundHandleVolume(int volume, int sound) {
    SoundRecord* record = FindSound(sound);
    if (record == nullptr) {
        return -1;
    }
    const int hundredths = SoundVolumeInHundredths(volume);
    for (int i = 0; i < record->buffer_count; ++i) {
        SetPlaybackBufferVolume(record->buffers[i], hundredths);
    }
    return 0;
}

int SetSoundHandleFrequency(int frequency, int sound) {
    SoundRecord* record = FindSound(sound);
    if (record == nullptr) {
        return -1;
    }
    const int hertz = frequency == -1 ? 0 : frequency;
    for (int i = 0; i < record->buffer_count; ++i) {
        SetPlaybackBufferFrequency(record->buffers[i], hertz);
    }
    return 0;
}

int GetSoundHandleBaseFrequency(int sound) {
    const SoundRecord* record = FindSound(sound);
    return record == nullptr ? -1 : static_cast<int>(record->format.samples_per_second);
}

int SetSoundHandlePositionMs(int milliseconds, int sound) {
    SoundRecord* record = FindSound(sound);
    if (record == nullptr) {
        return -1;
    }
    if (record->stream_flag == 1) {
        return SeekStreamSoundMs(milliseconds, sound);
    }
    for (int i = 0; i < record->buffer_count; ++i) {
        int playing = 0;
        if (GetPlaybackBufferStatus(record->buffers[i], &playing) != 0) {
            return -1;
        }
        if (playing == 0) {
            const double bytes = static_cast<double>(record->format.samples_per_second) *
                                 milliseconds * 0.001 * record->format.block_align;
            return SetPlaybackBufferPosition(record->buffers[i],
                                             static_cast<int>(std::clamp(bytes, 0.0, 2e9)));
        }
    }
    return -1;
}

int GetSoundHandlePlayPositionMs(int sound) {
    SoundRecord* record = FindSound(sound);
    if (record == nullptr) {
        return -1;
    }
    if (record->stream_flag == 1) {
        return GetStreamPositionMs(sound);
    }
    std::uint32_t cursor = 0;
    if (GetPlaybackBufferCursor(record->buffers[record->round_robin], &cursor) != 0) {
        return 0;
    }
    return static_cast<int>(
        std::int64_t{cursor} * 1000 /
        (std::int64_t{record->format.block_align} * record->format.samples_per_second));
}

int GetSoundHandleLengthMs(int sound) {
    const int samples = GetSoundHandleLengthSamples(sound);
    if (samples < 0) {
        return -1;
    }
    return static_cast<int>(std::int64_t{samples} * 1000 /
                            FindSound(sound)->format.samples_per_second);
}

int SetSoundLoopPointMs(int milliseconds, int sound) {
    const SoundRecord* record = FindSound(sound);
    if (record == nullptr) {
        return -1;
    }
    const double sample = record->format.samples_per_second * (milliseconds * 0.001);
    SetStreamLoopPoint(static_cast<int>(std::clamp(sample, -1.0, 2e9)), sound);
    return 0;
}

int GetSoundLoadMode() {
    return sound_system.load_mode;
}

int SetVorbisFileCopySelector(int selector) {
    sound_system.vorbis_copy_selector = selector;
    return 0;
}

int StoreSoundLoadMode(int mode) {
    if (mode < 0 || mode > kHighestSoundLoadMode) {
        return -1;
    }
    sound_system.load_mode = mode;
    return 0;
}

}  // namespace layer
