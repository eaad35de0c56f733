#pragma once

// Movie handles: a movie file opened as an Ogg Theora stream with its Vorbis track as
// soundtrack (other movies are refused: no other decoder exists on this system). The graph
// side opens movies for image files that turn out to be movies, binds one to a graph and
// brings it to the frame due on every draw. A movie opens paused showing its first frame; only
// PlayMovie and the resume after a lost activation start it. Main thread only.

#include <cstdint>

#include "layer/core/file_operation_table.h"
#include "layer/core/handle_table.h"
#include "layer/media/graph_image.h"

namespace layer {

struct TheoraDecoder;
struct MovieRecord;

// Called with the movie and the user data whenever the movie was brought up to date.
using MovieFrameCallback = int (*)(MovieRecord* movie, void* user_data);

// Play types: 1 once, 3 looping (bit 1).
constexpr int kMoviePlayOnce = 1;
constexpr int kMovieLoops = 2;

constexpr int kMovieStockSize = 10;

struct MovieRecord {
    int CheckNo = 0;
    int PlayType = 0;
    int TheoraFlag = 0;
    TheoraDecoder* Theora = nullptr;
    // Microseconds of the layer's clock at which frame 0 was due.
    std::int64_t StartTime = 0;
    // The movie file and the file operations it was opened with.
    FileHandle File = 0;
    FileOperationTable Files{};
    // Sound handle, -1 none.
    int Soundtrack = -1;
    int Width = 0;
    int Height = 0;
    // The frame carries its colour picture in the left half and its alpha in the right half.
    int AlphaBeside = 0;
    int PlayRequested = 0;
    int Paused = 0;
    int FrameReady = 0;
    // The image that holds the current frame.
    GraphImage* FrameImage = nullptr;
    MovieFrameCallback Callback = nullptr;
    void* CallbackData = nullptr;
    // The frame last moved into the bound graph; -1 before the first and after a display
    // rebuild, so that the next draw fills the graph.
    int DeliveredFrame = -1;
};

using MovieTable = HandleTable<MovieRecord, kMovieHandleKind>;
MovieTable& Movies();

// Copied into each new movie; nothing in the layer sets it.
extern int movie_alpha_beside_option;

// Opens a movie file: the movie handle with the frame size, or -1 (logged).
int OpenMovie(const char* path, int* width, int* height, int mode);
// The other movie decoder, absent here: logs its first failure and refuses.
int OpenDirectShowMovie(MovieRecord* movie, const char* path, int* width, int* height, int mode);
// Closes a movie; -1 (nothing) for a value that names no movie.
int DisposeMovie(int movie);
MovieRecord* GetMovieRecord(int movie);
// Brings the movie to the frame due now and calls its frame callback; 0.
int SyncMovieFrame(int movie, int synchronous);
int SetMovieFrameCallback(int movie, MovieFrameCallback callback, void* user_data);
// Pauses a playing movie; without `keep_request` it will not resume with the others.
int SuspendMovie(int movie, int keep_request);
// Starts (or resumes) a movie from its current frame: play type 0 counts as 1.
int PlayMovie(int movie, int play_type);
// Every movie's graph gets its frame again at the next draw (after a display rebuild); 0.
int ForgetDeliveredMovieFrames();
// The surfaces and streams of the other movie decoder, of which there are none: 0.
int RestoreMovieSurfaces(int movie);
int ReopenAllMovieStreams();

}  // namespace layer
