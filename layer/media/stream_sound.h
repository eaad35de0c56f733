#pragma once

// Stream sounds: a sound handle whose data is decoded while it plays into a looping ring of
// 6 seconds that the message pump tops up on every pass, about 4 seconds ahead of the play
// cursor. Up to 3 sources play one after another, each repeated a given number of times; a
// single source may instead jump back to a loop point for ever. Played bytes are counted so
// that the position holds across ring wraps and jumps.

#include <cstdint>

#include "layer/media/sound_system.h"
#include "platform/audio/audio_mixer.h"

namespace layer {

// A refill's lock on the ring: its two areas, the bytes written into each and still free.
struct StreamLock {
    int offset = 0;
    platform::AudioLock areas;
    int written[2] = {};
    int free[2] = {};
};

// Adds a source read through `stream` (storage types above); `*close_stream` is set when the
// caller must close its stream (the source holds what it needs). 0 or -1 after a log line.
int AddStreamSound(const BoundStream& stream, int repeat_count, int handle, int storage_type,
                   int* close_stream, int share_handle);
int AddStreamFile(const char* path, int repeat_count, int handle, int storage_type,
                  int share_handle);
// Storage type 3 (and 1) is taken as 2: the image is copied.
int AddStreamImage(const void* image, int size, int repeat_count, int handle, int storage_type,
                   int share_handle);
// The stream part of DeleteSoundHandle: 1 when the record may go, 0 when sharers keep it.
int DeleteStreamSound(int handle, SoundRecord* record);

int PrimeStreamSound(int handle);
int PlayStreamSound(int handle, int play_type, int restart);
int StopStreamSound(int handle);
int IsStreamPlaying(int handle);
void RefillStreamSound(int handle);
void TrackStreamPlayPosition(int handle, std::int64_t cursor);
int GetStreamPositionMs(int handle);
int SeekStreamSoundMs(int milliseconds, int handle);
int SetStreamLoopPoint(int sample, int handle);
// The ring a stream sound plays through (its owner's when it shares); take-over stops another
// sound that uses it. 0, or -1 when another sound uses it and take-over is 0.
int ClaimSharedBuffer(int handle, SoundRecord* record, PlaybackBuffer** buffer, int take_over);
int FillFromStreamSource(StreamLock* lock, PcmDecoder* decoder, int count);
int NextStreamSource(SoundRecord* record, StreamLock* lock, std::uint32_t cursor);
void FillStreamSilence(const SoundRecord* record, StreamLock* lock, int count);

}  // namespace layer
