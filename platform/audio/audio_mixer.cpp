#include "platform/audio/audio_mixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace platform {
namespace {

// Frames mixed at once in float before they are saturated into the output.
constexpr int kMixChunk = 512;
constexpr int kFractionBits = 32;
constexpr std::uint64_t kOneFrame = std::uint64_t{1} << kFractionBits;
constexpr float kSampleScale = 32768.0f;

float GainOf(int volume) {
    if (volume <= kSilentVolume) {
        return 0.0f;
    }
    return static_cast<float>(std::pow(10.0, volume / 2000.0));
}

std::int16_t Saturate(float value) {
    const long sample = std::lrint(value * kSampleScale);
    return static_cast<std::int16_t>(std::clamp(sample, -32768L, 32767L));
}

template <int Bits>
float SampleAt(const std::uint8_t* pcm, std::uint32_t index) {
    if constexpr (Bits == 8) {
        return static_cast<float>((pcm[index] - 128) * 256);
    } else {
        std::int16_t sample;
        std::memcpy(&sample, pcm + std::size_t{index} * 2, 2);
        return static_cast<float>(sample);
    }
}

}  // namespace

bool IsPlayableFormat(const PcmFormat& format) {
    return (format.channels == 1 || format.channels == 2) &&
           (format.bits == 8 || format.bits == 16) && format.rate >= kLowestFrequency &&
           format.rate <= kHighestFrequency;
}

struct AudioMixer::Buffer {
    PcmFormat format;
    std::shared_ptr<std::vector<std::uint8_t>> pcm;
    std::uint32_t frames = 0;
    // Frames in 32.32 fixed point.
    std::uint64_t position = 0;
    bool playing = false;
    bool looping = false;
    float gain = 1.0f;
    int frequency = 0;
    bool locked = false;
    std::uint32_t lock_offset = 0;
    std::vector<std::uint8_t> staging;

    std::uint32_t Bytes() const { return static_cast<std::uint32_t>(pcm->size()); }
    int Rate() const { return frequency == 0 ? format.rate : frequency; }
};

AudioMixer::AudioMixer() = default;
AudioMixer::~AudioMixer() = default;

AudioMixer::Buffer* AudioMixer::Find(int buffer) const {
    if (buffer < 0 || static_cast<std::size_t>(buffer) >= buffers_.size()) {
        return nullptr;
    }
    return buffers_[static_cast<std::size_t>(buffer)].get();
}

int AudioMixer::Store(std::unique_ptr<Buffer> buffer) {
    for (std::size_t slot = 0; slot < buffers_.size(); ++slot) {
        if (buffers_[slot] == nullptr) {
            buffers_[slot] = std::move(buffer);
            return static_cast<int>(slot);
        }
    }
    buffers_.push_back(std::move(buffer));
    return static_cast<int>(buffers_.size() - 1);
}

int AudioMixer::CreateBuffer(const PcmFormat& format, std::uint32_t bytes) {
    if (!IsPlayableFormat(format) || bytes < static_cast<std::uint32_t>(format.BlockAlign())) {
        return -1;
    }
    auto buffer = std::make_unique<Buffer>();
    buffer->format = format;
    const std::uint8_t silence = format.bits == 8 ? 128 : 0;
    buffer->pcm = std::make_shared<std::vector<std::uint8_t>>(bytes, silence);
    buffer->frames = bytes / static_cast<std::uint32_t>(format.BlockAlign());
    const std::lock_guard lock(mutex_);
    return Store(std::move(buffer));
}

int AudioMixer::DuplicateBuffer(int source) {
    const std::lock_guard lock(mutex_);
    const Buffer* original = Find(source);
    if (original == nullptr) {
        return -1;
    }
    auto buffer = std::make_unique<Buffer>();
    buffer->format = original->format;
    buffer->pcm = original->pcm;
    buffer->frames = original->frames;
    return Store(std::move(buffer));
}

bool AudioMixer::ReleaseBuffer(int buffer) {
    const std::lock_guard lock(mutex_);
    if (Find(buffer) == nullptr) {
        return false;
    }
    buffers_[static_cast<std::size_t>(buffer)].reset();
    return true;
}

bool AudioMixer::Play(int buffer, bool loop) {
    const std::lock_guard lock(mutex_);
    Buffer* found = Find(buffer);
    if (found == nullptr) {
        return false;
    }
    found->playing = true;
    found->looping = loop;
    return true;
}

bool AudioMixer::Stop(int buffer) {
    const std::lock_guard lock(mutex_);
    Buffer* found = Find(buffer);
    if (found == nullptr) {
        return false;
    }
    found->playing = false;
    return true;
}

bool AudioMixer::GetStatus(int buffer, int* status) const {
    const std::lock_guard lock(mutex_);
    const Buffer* found = Find(buffer);
    if (found == nullptr) {
        return false;
    }
    *status = (found->playing ? kAudioPlaying : 0) |
              (found->playing && found->looping ? kAudioLooping : 0);
    return true;
}

bool AudioMixer::GetCursor(int buffer, std::uint32_t* cursor) const {
    const std::lock_guard lock(mutex_);
    const Buffer* found = Find(buffer);
    if (found == nullptr) {
        return false;
    }
    *cursor = static_cast<std::uint32_t>(found->position >> kFractionBits) *
              static_cast<std::uint32_t>(found->format.BlockAlign());
    return true;
}

bool AudioMixer::SetCursor(int buffer, std::uint32_t offset) {
    const std::lock_guard lock(mutex_);
    Buffer* found = Find(buffer);
    if (found == nullptr || offset >= found->Bytes()) {
        return false;
    }
    const std::uint32_t frame = offset / static_cast<std::uint32_t>(found->format.BlockAlign());
    found->position = std::uint64_t{frame} << kFractionBits;
    return true;
}

bool AudioMixer::SetVolume(int buffer, int volume) {
    const std::lock_guard lock(mutex_);
    Buffer* found = Find(buffer);
    if (found == nullptr || volume < kSilentVolume || volume > 0) {
        return false;
    }
    found->gain = GainOf(volume);
    return true;
}

bool AudioMixer::SetFrequency(int buffer, int frequency) {
    const std::lock_guard lock(mutex_);
    Buffer* found = Find(buffer);
    if (found == nullptr ||
        (frequency != 0 && (frequency < kLowestFrequency || frequency > kHighestFrequency))) {
        return false;
    }
    found->frequency = frequency;
    return true;
}

bool AudioMixer::Lock(int buffer, std::uint32_t offset, std::uint32_t bytes, AudioLock* area) {
    const std::lock_guard lock(mutex_);
    Buffer* found = Find(buffer);
    if (found == nullptr || found->locked || offset >= found->Bytes() || bytes == 0 ||
        bytes > found->Bytes()) {
        return false;
    }
    const std::uint32_t first = std::min(bytes, found->Bytes() - offset);
    found->staging.assign(found->pcm->begin() + offset, found->pcm->begin() + offset + first);
    found->staging.insert(found->staging.end(), found->pcm->begin(),
                          found->pcm->begin() + (bytes - first));
    found->locked = true;
    found->lock_offset = offset;
    area->first = found->staging.data();
    area->first_size = first;
    area->second = bytes > first ? found->staging.data() + first : nullptr;
    area->second_size = bytes - first;
    return true;
}

bool AudioMixer::Unlock(int buffer, const AudioLock& area) {
    const std::lock_guard lock(mutex_);
    Buffer* found = Find(buffer);
    if (found == nullptr || !found->locked) {
        return false;
    }
    const auto* staging = found->staging.data();
    const std::uint32_t locked_first = std::min(static_cast<std::uint32_t>(found->staging.size()),
                                                found->Bytes() - found->lock_offset);
    const std::uint32_t first = std::min(area.first_size, locked_first);
    const std::uint32_t second = std::min(
        area.second_size, static_cast<std::uint32_t>(found->staging.size()) - locked_first);
    std::memcpy(found->pcm->data() + found->lock_offset, staging, first);
    std::memcpy(found->pcm->data(), staging + locked_first, second);
    found->locked = false;
    return true;
}

void AudioMixer::SetExtraVoice(ExtraVoiceRender render, void* context) {
    const std::lock_guard lock(mutex_);
    extra_render_ = render;
    extra_context_ = context;
}

void AudioMixer::SetExtraVoiceGain(float gain) {
    const std::lock_guard lock(mutex_);
    extra_gain_ = gain;
}

int AudioMixer::BufferCount() const {
    const std::lock_guard lock(mutex_);
    return static_cast<int>(std::count_if(buffers_.begin(), buffers_.end(),
                                          [](const auto& buffer) { return buffer != nullptr; }));
}

namespace {

// Adds `frames` frames of one buffer's PCM, resampled linearly, to the mix; returns false when
// a buffer that does not loop reached its end.
template <int Bits, int Channels>
bool MixFrames(const std::uint8_t* pcm, std::uint32_t length, bool looping, std::uint64_t step,
               float gain, std::uint64_t* position, float* left, float* right, int frames) {
    const std::uint64_t end = std::uint64_t{length} << kFractionBits;
    std::uint64_t at = *position;
    for (int i = 0; i < frames; ++i) {
        if (at >= end) {
            if (!looping) {
                *position = 0;
                return false;
            }
            at %= end;
        }
        const auto index = static_cast<std::uint32_t>(at >> kFractionBits);
        const float fraction = static_cast<float>(at & (kOneFrame - 1)) * (1.0f / 4294967296.0f);
        std::uint32_t next = index + 1;
        if (next == length) {
            next = looping ? 0 : index;
        }
        const float l0 = SampleAt<Bits>(pcm, index * Channels);
        const float l1 = SampleAt<Bits>(pcm, next * Channels);
        const float l = l0 + (l1 - l0) * fraction;
        float r = l;
        if constexpr (Channels == 2) {
            const float r0 = SampleAt<Bits>(pcm, index * 2 + 1);
            const float r1 = SampleAt<Bits>(pcm, next * 2 + 1);
            r = r0 + (r1 - r0) * fraction;
        }
        left[i] += l * gain;
        right[i] += r * gain;
        at += step;
    }
    if (at >= end && !looping) {
        *position = 0;
        return false;
    }
    *position = at;
    return true;
}

using MixRoutine = bool (*)(const std::uint8_t*, std::uint32_t, bool, std::uint64_t, float,
                            std::uint64_t*, float*, float*, int);

// By (bits == 16, channels == 2).
constexpr MixRoutine kMixRoutines[2][2] = {{MixFrames<8, 1>, MixFrames<8, 2>},
                                           {MixFrames<16, 1>, MixFrames<16, 2>}};

}  // namespace

void AudioMixer::MixBuffer(Buffer& buffer, float* left, float* right, int frames) {
    const std::uint64_t step =
        (static_cast<std::uint64_t>(buffer.Rate()) << kFractionBits) / kMixRate;
    const MixRoutine mix = kMixRoutines[buffer.format.bits == 16][buffer.format.channels == 2];
    if (!mix(buffer.pcm->data(), buffer.frames, buffer.looping, step, buffer.gain, &buffer.position,
             left, right, frames)) {
        buffer.playing = false;
    }
}

void AudioMixer::Render(std::int16_t* out, int frames) {
    const std::lock_guard lock(mutex_);
    float left[kMixChunk];
    float right[kMixChunk];
    while (frames > 0) {
        const int chunk = std::min(frames, kMixChunk);
        std::fill_n(left, chunk, 0.0f);
        std::fill_n(right, chunk, 0.0f);
        for (const auto& buffer : buffers_) {
            if (buffer != nullptr && buffer->playing) {
                MixBuffer(*buffer, left, right, chunk);
            }
        }
        const float scale = 1.0f / kSampleScale;
        if (extra_render_ != nullptr) {
            float extra_left[kMixChunk] = {};
            float extra_right[kMixChunk] = {};
            extra_render_(extra_context_, extra_left, extra_right, chunk);
            for (int i = 0; i < chunk; ++i) {
                left[i] = left[i] * scale + extra_left[i] * extra_gain_;
                right[i] = right[i] * scale + extra_right[i] * extra_gain_;
            }
        } else {
            for (int i = 0; i < chunk; ++i) {
                left[i] *= scale;
                right[i] *= scale;
            }
        }
        for (int i = 0; i < chunk; ++i) {
            out[2 * i] = Saturate(left[i]);
            out[2 * i + 1] = Saturate(right[i]);
        }
        out += 2 * chunk;
        frames -= chunk;
    }
}

AudioMixer& TheAudioMixer() {
    // Never destroyed: the audio thread may still render while the process ends.
    static AudioMixer* mixer = new AudioMixer;
    return *mixer;
}

}  // namespace platform
