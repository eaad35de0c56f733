#pragma once

// The layer's sound system: sound handles (kind 2) naming SoundRecords, each either a plain
// sound decoded whole into up to 10 playback buffers, or a stream sound decoded while it
// plays into a 6-second ring (stream_sound.h). Playback buffers are buffers of our own mixer
// (platform/audio). Main thread only; the mixer renders on the audio thread.

#include <cstdint>

#include "layer/core/handle_kinds.h"
#include "layer/core/handle_list.h"
#include "layer/core/handle_table.h"
#include "layer/media/midi_handles.h"
#include "layer/media/pcm_decoder.h"
#include "layer/media/wave_format.h"

namespace layer {

constexpr int kMaxPlaybackBuffers = 10;
constexpr int kMaxStreamSources = 3;
constexpr int kHighestSoundLoadMode = 3;

// Play types.
enum : int {
    kPlayWait = 0,
    kPlayOnce = 1,
    kPlayLoop = 3,
};

// One playable buffer: a buffer of the mixer.
struct PlaybackBuffer {
    int valid = 0;
    int mixer_buffer = -1;
};

// A jump back written into a stream sound's ring: where in the ring, and the byte position
// in its source that the data there comes from.
struct PendingJump {
    std::uint32_t offset = 0;
    int target = 0;
};
constexpr int kMaxPendingJumps = 64;

// One source of a stream sound.
struct StreamSource {
    // The source plays repeat count + 1 times; -1 (255) is a loop point: at its end the source
    // jumps back to its loop sample, for ever.
    std::int8_t repeat_count = 0;
    // 0 decoded PCM held as a WAV image, 2 the compressed file image, 3 read from the caller's
    // stream while playing.
    int storage_type = 0;
    std::uint8_t* image = nullptr;
    int image_size = 0;
    // The source's own stream over its image (types 0 and 2).
    BoundStream stream;
    int loop_sample = 0;
    PcmDecoder decoder;
};

struct SoundRecord {
    int CheckNo = 0;
    PlaybackBuffer buffers[kMaxPlaybackBuffers];
    WaveFormat format;
    // 0 plain sound, 1 stream sound.
    int stream_flag = 0;
    int play_type = 0;
    std::uint32_t start_time = 0;

    // Stream sounds.
    int owner = 0;
    int sharer_count = 0;
    int current_user = 0;
    int delete_pending = 0;
    int ring_size = 0;
    int write_offset = 0;
    int low_water = 0;
    StreamSource sources[kMaxStreamSources + 1];
    // 1 when the source was added by AddStreamFile or AddStreamImage.
    std::uint8_t source_owned[kMaxStreamSources + 1] = {};
    int source_count = 0;
    int current_source = 0;
    int repeat_counter = 0;
    int byte_position = 0;
    int total_samples = 0;
    std::uint32_t played = 0;
    std::uint32_t last_cursor = 0;
    std::uint8_t primed = 0;
    std::uint8_t end_of_data = 0;
    std::uint8_t end_passed = 0;
    std::uint32_t end_offset = 0;
    std::uint32_t end_cursor = 0;
    // Jumps back written into the ring that the cursor has not reached yet, oldest first: a
    // loop shorter than the 4 seconds written ahead leaves several.
    PendingJump jumps[kMaxPendingJumps];
    int jump_count = 0;
    HandleNode node;

    // Plain sounds.
    int pcm_length = 0;
    std::uint8_t* pcm = nullptr;
    int buffer_count = 0;
    int round_robin = 0;
};

using SoundTable = HandleTable<SoundRecord, kSoundHandleKind>;

struct SoundSystem {
    MidiTable midi;
    // The current music file, only cleared by EndMusicFilePlayback: nothing records one.
    int current_music_handle = 0;
    int current_music_kind = 0;
    // 1 between StartSoundSystem and EndSoundSystem.
    int started = 0;
    // Stream sounds that own or share a ring, newest first.
    HandleNode stream_head;
    HandleNode stream_tail;
    // 44,100 Hz 16-bit stereo silence looping for the life of the system; -1 when absent.
    int silent_buffer = -1;
    SoundTable sounds;
    int load_mode = 0;
    int ogg_word_size = 2;
    // 1 only while a movie builds its soundtrack; each decoder copies it when it opens.
    int vorbis_copy_selector = 0;
};

extern SoundSystem sound_system;

// The record of a valid sound handle while the system runs, else null.
SoundRecord* FindSound(int sound);

// AddSoundData: -1 for a new handle, or a handle whose (free) slot is re-created with its check
// number. The handle, or -1.
int AddSoundData(int handle);
// Makes the record's buffers: kind 0 `count` buffers of `bytes` (duplicates of the first),
// kind 1 one 6-second ring linked into the stream list. 0, -1 for a bad handle; a buffer the
// mixer refuses ends the program.
int CreatePlaybackBuffers(const WaveFormat& format, int bytes, int kind, int count, int handle);
int GetSoundHandleLengthSamples(int sound);
// A volume of 0 to 255 (above counts as 255) in hundredths of a decibel: 1000 × log10(v / 255)
// truncated, 0 or below silent.
int SoundVolumeInHundredths(int volume);
int CloseOutputCapture();

// PlaybackBuffer operations on the mixer: 0, or -1 when the buffer is not valid or the mixer
// refuses.
int CreatePlaybackBuffer(PlaybackBuffer* buffer, const WaveFormat& format, int bytes);
int DuplicatePlaybackBuffer(PlaybackBuffer* buffer, const PlaybackBuffer& source);
int ReleasePlaybackBuffer(PlaybackBuffer* buffer);
int PlayPlaybackBuffer(const PlaybackBuffer& buffer, int loop);
int StopPlaybackBuffer(const PlaybackBuffer& buffer);
int GetPlaybackBufferStatus(const PlaybackBuffer& buffer, int* playing);
int GetPlaybackBufferCursor(const PlaybackBuffer& buffer, std::uint32_t* cursor);
int LockPlaybackBuffer(const PlaybackBuffer& buffer, int offset, int bytes,
                       platform::AudioLock* lock);
int UnlockPlaybackBuffer(const PlaybackBuffer& buffer, const platform::AudioLock& lock);
int SetPlaybackBufferFrequency(const PlaybackBuffer& buffer, int frequency);
int SetPlaybackBufferVolume(const PlaybackBuffer& buffer, int volume);
int SetPlaybackBufferPosition(const PlaybackBuffer& buffer, int offset);

}  // namespace layer
