#include "layer/media/sound_system.h"

#include "platform/audio/audio_mixer.h"

namespace layer {
namespace {

platform::AudioMixer& Mixer() {
    return platform::TheAudioMixer();
}

int Result(bool done) {
    return done ? 0 : -1;
}

}  // namespace

int CreatePlaybackBuffer(PlaybackBuffer* buffer, const WaveFormat& format, int bytes) {
    if (buffer->valid != 0 || !IsPlayablePcm(format) || bytes <= 0) {
        return -1;
    }
    const int made = Mixer().CreateBuffer(MixerFormatOf(format), static_cast<std::uint32_t>(bytes));
    if (made < 0) {
        return -1;
    }
    buffer->mixer_buffer = made;
    buffer->valid = 1;
    return 0;
}

int DuplicatePlaybackBuffer(PlaybackBuffer* buffer, const PlaybackBuffer& source) {
    if (buffer->valid != 0 || source.valid == 0) {
        return -1;
    }
    const int made = Mixer().DuplicateBuffer(source.mixer_buffer);
    if (made < 0) {
        return -1;
    }
    buffer->mixer_buffer = made;
    buffer->valid = 1;
    return 0;
}

int ReleasePlaybackBuffer(PlaybackBuffer* buffer) {
    if (buffer->valid == 0) {
        return -1;
    }
    Mixer().ReleaseBuffer(buffer->mixer_buffer);
    buffer->valid = 0;
    buffer->mixer_buffer = -1;
    return 0;
}

int PlayPlaybackBuffer(const PlaybackBuffer& buffer, int loop) {
    return buffer.valid == 0 ? -1 : Result(Mixer().Play(buffer.mixer_buffer, loop != 0));
}

int StopPlaybackBuffer(const PlaybackBuffer& buffer) {
    return buffer.valid == 0 ? -1 : Result(Mixer().Stop(buffer.mixer_buffer));
}

int GetPlaybackBufferStatus(const PlaybackBuffer& buffer, int* playing) {
    int status = 0;
    if (buffer.valid == 0 || !Mixer().GetStatus(buffer.mixer_buffer, &status)) {
        return -1;
    }
    *playing = status & platform::kAudioPlaying;
    return 0;
}

int GetPlaybackBufferCursor(const PlaybackBuffer& buffer, std::uint32_t* cursor) {
    return buffer.valid == 0 ? -1 : Result(Mixer().GetCursor(buffer.mixer_buffer, cursor));
}

int LockPlaybackBuffer(const PlaybackBuffer& buffer, int offset, int bytes,
                       platform::AudioLock* lock) {
    if (buffer.valid == 0 || offset < 0 || bytes <= 0) {
        return -1;
    }
    return Result(Mixer().Lock(buffer.mixer_buffer, static_cast<std::uint32_t>(offset),
                               static_cast<std::uint32_t>(bytes), lock));
}

int UnlockPlaybackBuffer(const PlaybackBuffer& buffer, const platform::AudioLock& lock) {
    return buffer.valid == 0 ? -1 : Result(Mixer().Unlock(buffer.mixer_buffer, lock));
}

int SetPlaybackBufferFrequency(const PlaybackBuffer& buffer, int frequency) {
    return buffer.valid == 0 ? -1 : Result(Mixer().SetFrequency(buffer.mixer_buffer, frequency));
}

int SetPlaybackBufferVolume(const PlaybackBuffer& buffer, int volume) {
    return buffer.valid == 0 ? -1 : Result(Mixer().SetVolume(buffer.mixer_buffer, volume));
}

int SetPlaybackBufferPosition(const PlaybackBuffer& buffer, int offset) {
    if (buffer.valid == 0 || offset < 0) {
        return -1;
    }
    return Result(Mixer().SetCursor(buffer.mixer_buffer, static_cast<std::uint32_t>(offset)));
}

}  // namespace layer
