// What the window code asks of the movies: pausing them all when the window loses activation,
// resuming those that played when it comes back. Kept apart from the rest of the movie code
// so that the layer core's tests, which record these calls, link without it.
#include "layer/media/media_services.h"
#include "layer/media/movie_handles.h"

namespace layer {
namespace {

template <typename Action>
void ForEachMovie(Action action) {
    MovieTable& movies = Movies();
    for (int slot = 0; slot < movies.used_end(); ++slot) {
        if (MovieRecord* movie = movies.AtSlot(slot); movie != nullptr) {
            action(movies.HandleInSlot(slot), *movie);
        }
    }
}

}  // namespace

int SuspendAllMovies() {
    ForEachMovie([](int handle, MovieRecord&) { SuspendMovie(handle, 1); });
    return 0;
}

int ResumeAllMovies() {
    ForEachMovie([](int handle, MovieRecord& movie) {
        if (movie.Paused != 0 && movie.PlayRequested != 0) {
            PlayMovie(handle, movie.PlayType);
        }
    });
    return 0;
}

int ReleaseAllMovieStreams() {
    ForEachMovie([](int, MovieRecord& movie) { SaveAndReleaseMovieStreams(&movie); });
    return 0;
}

// The display offers no overlay, so no movie is ever shown through one; each pass of the pump
// tops up the stream movies' sound tracks instead, as the sound renderer's own thread would.
int PresentWindowMovies() {
    ForEachMovie([](int, MovieRecord& movie) { FeedMovieSound(&movie); });
    return 0;
}

}  // namespace layer
