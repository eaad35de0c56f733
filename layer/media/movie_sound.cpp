#include "layer/media/movie_sound.h"

#include <cstring>

#include "layer/core/time_routines.h"
#include "layer/media/movie_handles.h"
#include "platform/media_streams/stream_sound_track.h"

namespace layer {
namespace {

constexpr int kRate = 44100;
constexpr int kBlock = 4;
constexpr std::int64_t kRingFrames = 2 * kRate;
constexpr std::int64_t kLeadFrames = kRate;

std::int64_t Now() {
    return static_cast<std::int64_t>(ReadMicrosecondClock(0));
}

std::int64_t Microseconds(std::int64_t frames) {
    return frames * 1'000'000 / kRate;
}

platform::StreamSoundTrack* TrackOf(const MovieRecord& movie) {
    return movie.Streams.graph == nullptr ? nullptr : movie.Streams.graph->sound();
}

// Counts the frames the cursor moved over since it was last read.
void TrackCursor(MovieSound* sound) {
    std::uint32_t cursor = 0;
    if (GetPlaybackBufferCursor(sound->ring, &cursor) < 0) {
        return;
    }
    const std::uint32_t ring_bytes = kRingFrames * kBlock;
    const std::uint32_t moved = (cursor + ring_bytes - sound->last_cursor) % ring_bytes;
    sound->played += moved / kBlock;
    sound->last_cursor = cursor;
}

// Fills one area of a lock with the track's frames from `first` on, silence after its end.
void WriteArea(platform::StreamSoundTrack* track, MovieSound* sound, std::int64_t first, void* area,
               std::uint32_t bytes) {
    const int frames = static_cast<int>(bytes / kBlock);
    auto* samples = static_cast<std::int16_t*>(area);
    int got = 0;
    if (sound->end < 0) {
        got = track->Read(samples, frames);
        if (got < frames) {
            sound->end = first + got;
        }
    }
    std::memset(samples + static_cast<std::ptrdiff_t>(got) * 2, 0,
                static_cast<std::size_t>(frames - got) * kBlock);
}

}  // namespace

void OpenMovieSound(MovieRecord* movie) {
    MovieSound& sound = movie->Streams.sound;
    if (sound_system.started == 0 || TrackOf(*movie) == nullptr) {
        return;
    }
    WaveFormat format;
    format.format_tag = 1;
    format.channels = 2;
    format.samples_per_second = kRate;
    format.average_bytes_per_second = kRate * kBlock;
    format.block_align = kBlock;
    format.bits_per_sample = 16;
    if (CreatePlaybackBuffer(&sound.ring, format, static_cast<int>(kRingFrames * kBlock)) < 0) {
        return;
    }
    SetPlaybackBufferVolume(sound.ring, sound.volume);
    sound.playing = 0;
    sound.written = 0;
    sound.played = 0;
    sound.last_cursor = 0;
    sound.end = -1;
    sound.ended_at = -1;
    sound.clock_base = 0;
    FeedMovieSound(movie);
    movie->Streams.graph->SetClock([movie] { return ReadMovieSoundClock(movie); });
}

void ReleaseMovieSound(MovieRecord* movie) {
    MovieSound& sound = movie->Streams.sound;
    if (sound.ring.valid != 0) {
        ReleasePlaybackBuffer(&sound.ring);
    }
    sound.playing = 0;
}

void FeedMovieSound(MovieRecord* movie) {
    MovieSound& sound = movie->Streams.sound;
    platform::StreamSoundTrack* track = TrackOf(*movie);
    if (sound.ring.valid == 0 || track == nullptr) {
        return;
    }
    TrackCursor(&sound);
    // Behind the cursor after a stall: what it has passed is not written any more.
    if (sound.played > sound.written) {
        sound.written = sound.played;
    }
    const std::int64_t wanted = kLeadFrames - (sound.written - sound.played);
    if (wanted <= 0) {
        return;
    }
    platform::AudioLock lock;
    const auto offset = static_cast<int>(sound.written % kRingFrames * kBlock);
    if (LockPlaybackBuffer(sound.ring, offset, static_cast<int>(wanted * kBlock), &lock) < 0) {
        return;
    }
    WriteArea(track, &sound, sound.written, lock.first, lock.first_size);
    if (lock.second != nullptr) {
        WriteArea(track, &sound, sound.written + lock.first_size / kBlock, lock.second,
                  lock.second_size);
    }
    UnlockPlaybackBuffer(sound.ring, lock);
    sound.written += wanted;
}

void PlayMovieSound(MovieRecord* movie) {
    MovieSound& sound = movie->Streams.sound;
    sound.playing = 1;
    if (sound.ring.valid != 0 && sound.ended_at < 0) {
        FeedMovieSound(movie);
        PlayPlaybackBuffer(sound.ring, 1);
    }
}

void StopMovieSound(MovieRecord* movie) {
    MovieSound& sound = movie->Streams.sound;
    sound.playing = 0;
    if (sound.ring.valid != 0) {
        StopPlaybackBuffer(sound.ring);
    }
}

void RestartMovieSound(MovieRecord* movie) {
    MovieSound& sound = movie->Streams.sound;
    if (sound.ring.valid == 0) {
        return;
    }
    sound.clock_base = ReadMovieSoundClock(movie);
    StopPlaybackBuffer(sound.ring);
    SetPlaybackBufferPosition(sound.ring, 0);
    sound.written = 0;
    sound.played = 0;
    sound.last_cursor = 0;
    sound.end = -1;
    sound.ended_at = -1;
    FeedMovieSound(movie);
    if (sound.playing != 0) {
        PlayPlaybackBuffer(sound.ring, 1);
    }
}

std::int64_t ReadMovieSoundClock(MovieRecord* movie) {
    MovieSound& sound = movie->Streams.sound;
    if (sound.ended_at < 0) {
        TrackCursor(&sound);
        if (sound.end < 0 || sound.played < sound.end) {
            return sound.clock_base + Microseconds(sound.played);
        }
        // The sound has run out: the ring stops and the clock goes on without it.
        sound.ended_at = Now() - Microseconds(sound.played - sound.end);
        StopPlaybackBuffer(sound.ring);
    }
    return sound.clock_base + Microseconds(sound.end) + Now() - sound.ended_at;
}

int SetMovieSoundVolume(MovieRecord* movie, int hundredths) {
    if (hundredths < platform::kSilentVolume || hundredths > 0) {
        return -1;
    }
    MovieSound& sound = movie->Streams.sound;
    sound.volume = hundredths;
    if (sound.ring.valid != 0) {
        SetPlaybackBufferVolume(sound.ring, hundredths);
    }
    return 0;
}

}  // namespace layer
