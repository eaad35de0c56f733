// Stream movies across a display change: their streams let go with the position kept, and
// opened again where they stood.
#include <string>

#include "layer/media/movie_handles.h"

namespace layer {

void SaveAndReleaseMovieStreams(MovieRecord* movie) {
    MovieStreams& streams = movie->Streams;
    if (movie->TheoraFlag != 0 || streams.sample == nullptr) {
        return;
    }
    streams.saved_position = streams.graph->GetTime();
    ReleaseMovieStreams(movie);
}

int ReopenAllMovieStreams() {
    MovieTable& movies = Movies();
    for (int slot = 0; slot < movies.used_end(); ++slot) {
        MovieRecord* movie = movies.AtSlot(slot);
        if (movie == nullptr || movie->TheoraFlag != 0 || movie->Streams.graph != nullptr) {
            continue;
        }
        MovieStreams& streams = movie->Streams;
        const std::string path = streams.path;
        if (OpenDirectShowMovie(movie, path.c_str(), nullptr, nullptr, streams.mode) < 0) {
            return -1;
        }
        streams.graph->Seek(streams.saved_position);
        RestartMovieSound(movie);
        if (movie->Paused == 0) {
            streams.graph->SetState(platform::StreamState::kRunning);
            PlayMovieSound(movie);
        }
    }
    return 0;
}

int RestoreMovieSurfaces(int) {
    return 0;
}

}  // namespace layer
