#pragma once

namespace layer {

// Opens a movie file for a graph: the movie handle with the frame size, or -1.
int OpenMovie(const char* path, int* width, int* height, int option);
// Closes a movie; -1 (nothing) for a value that names no movie.
int DisposeMovie(int movie);

}  // namespace layer
