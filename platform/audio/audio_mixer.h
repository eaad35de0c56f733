#pragma once

// Our mixer of sound buffers: each buffer holds PCM (8-bit unsigned or 16-bit signed, one or
// two channels, any rate) and plays once or in a loop at its own volume and frequency. The
// mixer renders every playing buffer, resampled linearly, into 44,100 Hz 16-bit stereo. One
// more voice (the MIDI synthesiser) may add float samples to the mix.
//
// Every operation takes the mixer's mutex, so the audio thread may render while the main
// thread plays, stops and writes buffers. Writing goes through a lock of two areas in staging
// memory that the unlock copies into the buffer under the mutex. Rendering never allocates.

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace platform {

constexpr int kMixRate = 44100;
constexpr int kMixChannels = 2;
// Volumes are hundredths of a decibel; this one and below are silence.
constexpr int kSilentVolume = -10000;
constexpr int kLowestFrequency = 100;
constexpr int kHighestFrequency = 100000;

struct PcmFormat {
    int channels = 0;
    int bits = 0;
    int rate = 0;

    int BlockAlign() const { return channels * bits / 8; }
};

// True when a buffer can hold PCM of this format.
bool IsPlayableFormat(const PcmFormat& format);

enum AudioStatusBits : int {
    kAudioPlaying = 1,
    kAudioLooping = 4,
};

// Adds float stereo samples for `frames` frames to `left` and `right`; called under the mutex.
using ExtraVoiceRender = void (*)(void* context, float* left, float* right, int frames);

// Two areas of a lock: the bytes from the offset to the buffer's end, then from its start.
struct AudioLock {
    void* first = nullptr;
    std::uint32_t first_size = 0;
    void* second = nullptr;
    std::uint32_t second_size = 0;
};

class AudioMixer {
  public:
    AudioMixer();
    ~AudioMixer();
    AudioMixer(const AudioMixer&) = delete;
    AudioMixer& operator=(const AudioMixer&) = delete;

    // A new stopped buffer of `bytes` bytes of silence: its number, or -1 for a format it
    // cannot play or a size of no whole block.
    int CreateBuffer(const PcmFormat& format, std::uint32_t bytes);
    // A new buffer over the same PCM, with its own cursor, volume and frequency; -1 when the
    // source is not a buffer.
    int DuplicateBuffer(int source);
    bool ReleaseBuffer(int buffer);

    bool Play(int buffer, bool loop);
    bool Stop(int buffer);
    // kAudioPlaying and kAudioLooping bits.
    bool GetStatus(int buffer, int* status) const;
    // The play cursor in bytes.
    bool GetCursor(int buffer, std::uint32_t* cursor) const;
    // Moves the cursor to the byte offset, rounded down to a whole block; false beyond the end.
    bool SetCursor(int buffer, std::uint32_t offset);
    // Hundredths of a decibel, kSilentVolume (silence) to 0.
    bool SetVolume(int buffer, int volume);
    // Hertz; 0 is the data's own rate. Outside kLowestFrequency..kHighestFrequency refused.
    bool SetFrequency(int buffer, int frequency);

    // Copies `bytes` bytes from `offset` (wrapping to the start) into staging memory and gives
    // its two areas; false when the buffer is locked already or the range is too long.
    bool Lock(int buffer, std::uint32_t offset, std::uint32_t bytes, AudioLock* lock);
    // Copies the staging areas back into the buffer; the sizes are those written.
    bool Unlock(int buffer, const AudioLock& lock);

    // The one extra voice, null to remove it; its gain is linear (1 = as rendered).
    void SetExtraVoice(ExtraVoiceRender render, void* context);
    void SetExtraVoiceGain(float gain);

    // Renders `frames` frames of interleaved 16-bit stereo and moves every playing buffer on.
    void Render(std::int16_t* out, int frames);

    // Live buffers (tests and the log).
    int BufferCount() const;

    // The mutex every operation takes; callers that must act on the extra voice's state
    // without a render in between hold it.
    std::recursive_mutex& Mutex() const { return mutex_; }

  private:
    struct Buffer;
    Buffer* Find(int buffer) const;
    int Store(std::unique_ptr<Buffer> buffer);
    void MixBuffer(Buffer& buffer, float* left, float* right, int frames);

    mutable std::recursive_mutex mutex_;
    std::vector<std::unique_ptr<Buffer>> buffers_;
    ExtraVoiceRender extra_render_ = nullptr;
    void* extra_context_ = nullptr;
    float extra_gain_ = 1.0f;
};

// The one mixer the audio output plays.
AudioMixer& TheAudioMixer();

}  // namespace platform
