#pragma once

// A stream movie's sound track played through the sound layer: a looping 2-second playback
// buffer of 44,100 Hz 16-bit stereo, topped up from the decoder about a second ahead of its
// play cursor. While a movie has one, its stream plays against the sound's clock (the frames
// played), which goes on by the microsecond clock once the sound has run out. A sound track
// that cannot be played leaves a silent movie on the microsecond clock. Main thread only.

#include <cstdint>

#include "layer/media/sound_system.h"

namespace layer {

struct MovieRecord;

struct MovieSound {
    PlaybackBuffer ring;
    // The basic audio's volume in hundredths of a decibel, kept across a display change.
    int volume = 0;
    int playing = 0;
    // Frames written into the ring and played from it since the last start from a position.
    std::int64_t written = 0;
    std::int64_t played = 0;
    std::uint32_t last_cursor = 0;
    // Frames of sound before the track ran out, -1 while it goes on.
    std::int64_t end = -1;
    // The microsecond clock when the played frames reached the end, -1 before.
    std::int64_t ended_at = -1;
    // The sound clock's reading at the last start from a position.
    std::int64_t clock_base = 0;
};

// Gives the movie's newly opened stream its sound, when it has a track and the sound system
// runs: the ring is made and filled, and the stream goes on the sound's clock.
void OpenMovieSound(MovieRecord* movie);
void ReleaseMovieSound(MovieRecord* movie);
// Tops the ring up from the decoder.
void FeedMovieSound(MovieRecord* movie);
void PlayMovieSound(MovieRecord* movie);
void StopMovieSound(MovieRecord* movie);
// After the stream was moved: the ring starts again from the decoder's new position.
void RestartMovieSound(MovieRecord* movie);
// The sound clock in microseconds: continuous across restarts.
std::int64_t ReadMovieSoundClock(MovieRecord* movie);
// The basic audio's volume: -10,000 (silence) to 0 hundredths of a decibel, as the sound
// layer gives its buffers; 0, or -1 for a volume outside that range.
int SetMovieSoundVolume(MovieRecord* movie, int hundredths);

}  // namespace layer
