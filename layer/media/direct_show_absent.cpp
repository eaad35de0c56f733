// The system's other movie decoder does not exist here: other movie files are refused with
// its first failure, and there are never streams or surfaces of it to restore.
#include "layer/core/layer_log.h"
#include "layer/media/movie_handles.h"
#include "layer/media/movie_texts.h"

namespace layer {

int OpenDirectShowMovie(MovieRecord*, const char*, int*, int*, int) {
    return WriteLogFormat("%s", kFilterGraphFailedText);
}

int RestoreMovieSurfaces(int) {
    return 0;
}

int ReopenAllMovieStreams() {
    return 0;
}

}  // namespace layer
