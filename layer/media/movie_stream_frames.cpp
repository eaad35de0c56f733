#include "layer/media/movie_stream_frames.h"

#include <cstring>

#include "layer/core/time_routines.h"
#include "layer/graphics/draw_setters.h"

namespace layer {
namespace {

constexpr int kFrameUpdateMilliseconds = 17;

bool Loops(const MovieRecord& movie) {
    return (movie.PlayType & kMovieLoops) != 0;
}

// The end of the stream: a looping movie starts again from the beginning, another one stops.
void ReachEnd(MovieRecord* movie) {
    MovieStreams& streams = movie->Streams;
    streams.update_pending = 0;
    if (Loops(*movie)) {
        streams.graph->Seek(0);
        RestartMovieSound(movie);
        streams.graph->SetState(platform::StreamState::kRunning);
        streams.last_update_count = -1;
        return;
    }
    StopMovieSound(movie);
    movie->PlayRequested = 0;
    movie->Paused = 1;
}

void TakeFrame(MovieRecord* movie, int synchronous);

// What an update of the sample came to.
void Settle(MovieRecord* movie, platform::SampleUpdate update, int synchronous) {
    switch (update) {
        case platform::SampleUpdate::kPending:
            movie->Streams.update_pending = 1;
            return;
        case platform::SampleUpdate::kEnded:
            ReachEnd(movie);
            return;
        case platform::SampleUpdate::kDone:
            TakeFrame(movie, synchronous);
            return;
    }
}

// Copies the sample's frame into the frame copy, hands it to the frame callback (an overlay
// shows it by itself) and, between draws, starts the next update at once.
void TakeFrame(MovieRecord* movie, int synchronous) {
    MovieStreams& streams = movie->Streams;
    GraphImage& frame = streams.frame_copy;
    if (frame.pixels != nullptr) {
        const platform::StreamSample& sample = *streams.sample;
        const std::size_t row =
            static_cast<std::size_t>(frame.width) * frame.format.bytes_per_pixel;
        for (int y = 0; y < frame.height; ++y) {
            std::memcpy(frame.pixels + static_cast<std::ptrdiff_t>(y) * frame.pitch,
                        sample.pixels() + static_cast<std::ptrdiff_t>(y) * sample.pitch(), row);
        }
    }
    if (streams.mode != kMovieModeOverlay && movie->Callback != nullptr) {
        movie->Callback(movie, movie->CallbackData);
    }
    streams.last_update_count = static_cast<std::int64_t>(GetPresentCount());
    streams.last_update_clock = static_cast<std::uint32_t>(ReadMillisecondClock());
    streams.update_pending = 0;
    movie->FrameReady = 1;
    if (synchronous == 0) {
        Settle(movie, streams.sample->Update(false), 1);
    }
}

// Between draws a frame is due only while the movie plays, and once per presented frame or
// 17 milliseconds.
bool FrameMayBeDue(const MovieRecord& movie) {
    const MovieStreams& streams = movie.Streams;
    if (movie.PlayRequested == 0 || movie.Paused != 0 ||
        streams.graph->GetState() != platform::StreamState::kRunning) {
        return false;
    }
    const auto elapsed =
        static_cast<std::uint32_t>(ReadMillisecondClock()) - streams.last_update_clock;
    return static_cast<std::int64_t>(GetPresentCount()) != streams.last_update_count ||
           elapsed > kFrameUpdateMilliseconds;
}

}  // namespace

void SyncStreamFrame(MovieRecord* movie, int synchronous) {
    MovieStreams& streams = movie->Streams;
    FeedMovieSound(movie);
    if (streams.sample == nullptr || (synchronous == 0 && !FrameMayBeDue(*movie))) {
        return;
    }
    if (streams.update_pending != 0 && synchronous == 0) {
        Settle(movie, streams.sample->CompleteUpdate(), 0);
        return;
    }
    Settle(movie, streams.sample->Update(synchronous != 0), synchronous);
}

}  // namespace layer
