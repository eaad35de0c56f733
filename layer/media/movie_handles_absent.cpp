// No movie can be opened yet: every file is refused and there is never a movie to close.
#include "layer/media/movie_handles.h"

namespace layer {

int OpenMovie(const char*, int*, int*, int) {
    return -1;
}

int DisposeMovie(int) {
    return -1;
}

}  // namespace layer
