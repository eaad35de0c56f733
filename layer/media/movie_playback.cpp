// Playing movies: the frame due now, starting and pausing.
#include <cmath>

#include "layer/core/time_routines.h"
#include "layer/media/media_services.h"
#include "layer/media/movie_handles.h"
#include "layer/media/movie_stream_frames.h"
#include "layer/media/theora_decoder.h"

namespace layer {
namespace {

constexpr double kMicrosecondsPerSecond = 1'000'000.0;

bool Loops(const MovieRecord& movie) {
    return (movie.PlayType & kMovieLoops) != 0;
}

// Microseconds into the movie: the soundtrack's position when there is one, else the clock
// since frame 0 was due.
std::int64_t PlayTime(const MovieRecord& movie) {
    if (movie.Soundtrack >= 0) {
        const int milliseconds = GetSoundHandlePlayPositionMs(movie.Soundtrack);
        return milliseconds > 0 ? std::int64_t{milliseconds} * 1000 : 0;
    }
    return static_cast<std::int64_t>(ReadMicrosecondClock(0)) - movie.StartTime;
}

// Moves the decoder to the frame due; a movie that stands on its last frame without looping
// or a soundtrack stops there.
void AdvanceToDueFrame(MovieRecord* movie) {
    TheoraInfo info;
    QueryTheoraInfo(movie->Theora, &info);
    const std::int64_t count = info.frame_count;
    std::int64_t due = static_cast<std::int64_t>(static_cast<double>(PlayTime(*movie)) *
                                                 info.frames_per_second / kMicrosecondsPerSecond);
    if (due < 0) {
        due = 0;
    }
    if (due >= count) {
        due = movie->Soundtrack < 0 && Loops(*movie) ? due % count : count - 1;
    }
    const std::int64_t current = GetTheoraFrameNumber(movie->Theora);
    AdvanceTheoraFrame(movie->Theora,
                       static_cast<int>(due >= current ? due - current : count - current + due));
    if (due == current && due == count - 1 && !Loops(*movie) && movie->Soundtrack < 0) {
        movie->PlayRequested = 0;
        movie->Paused = 1;
    }
}

}  // namespace

int SyncMovieFrame(int handle, int synchronous) {
    MovieRecord* movie = GetMovieRecord(handle);
    if (movie == nullptr) {
        return 0;
    }
    if (movie->TheoraFlag == 0) {
        SyncStreamFrame(movie, synchronous);
        return 0;
    }
    if (movie->Paused == 0) {
        AdvanceToDueFrame(movie);
    }
    if (movie->Callback != nullptr) {
        movie->Callback(movie, movie->CallbackData);
    }
    movie->FrameReady = 1;
    return 0;
}

int SuspendMovie(int handle, int keep_request) {
    MovieRecord* movie = GetMovieRecord(handle);
    if (movie == nullptr) {
        return -1;
    }
    if (movie->Paused != 0) {
        return 0;
    }
    if (movie->TheoraFlag != 0) {
        if (movie->Soundtrack >= 0) {
            StopSoundHandle(movie->Soundtrack);
        }
        AdvanceToDueFrame(movie);
    } else if (movie->Streams.sample != nullptr) {
        movie->Streams.graph->Pause();
        StopMovieSound(movie);
    }
    movie->Paused = 1;
    if (keep_request == 0) {
        movie->PlayRequested = 0;
    }
    return 0;
}

int PlayMovie(int handle, int play_type) {
    MovieRecord* movie = GetMovieRecord(handle);
    if (movie == nullptr) {
        return -1;
    }
    const int type = play_type == 0 ? kMoviePlayOnce : play_type;
    if (movie->TheoraFlag != 0) {
        TheoraInfo info;
        QueryTheoraInfo(movie->Theora, &info);
        movie->StartTime =
            static_cast<std::int64_t>(ReadMicrosecondClock(0)) -
            static_cast<std::int64_t>(GetTheoraFrameNumber(movie->Theora) / info.frames_per_second *
                                      kMicrosecondsPerSecond);
        if (movie->Soundtrack >= 0) {
            PlaySoundHandle(movie->Soundtrack, type, 0);
        }
    } else if (movie->Streams.sample != nullptr) {
        movie->Streams.graph->SetState(platform::StreamState::kRunning);
        PlayMovieSound(movie);
    }
    movie->PlayType = type;
    movie->Paused = 0;
    movie->PlayRequested = 1;
    return 0;
}

}  // namespace layer
