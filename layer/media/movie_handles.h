#pragma once

// Movie handles: a movie file opened as an Ogg Theora stream with its Vorbis track as
// soundtrack, or else through the multimedia streams, which decode every other format into a
// sample surface. The graph side opens movies for image files that turn out to be movies,
// binds one to a graph and brings it to the frame due on every draw. A movie opens paused
// showing its first frame; only PlayMovie and the resume after a lost activation start it.
// Main thread only.

#include <cstdint>
#include <memory>
#include <string>

#include "layer/core/file_operation_table.h"
#include "layer/core/handle_table.h"
#include "layer/media/graph_image.h"
#include "layer/media/movie_sound.h"
#include "platform/media_streams/media_stream_graph.h"

namespace layer {

struct TheoraDecoder;
struct MovieRecord;

// Called with the movie and the user data whenever the movie was brought up to date.
using MovieFrameCallback = int (*)(MovieRecord* movie, void* user_data);

// Play types: 1 once, 3 looping (bit 1).
constexpr int kMoviePlayOnce = 1;
constexpr int kMovieLoops = 2;

constexpr int kMovieStockSize = 10;

// How a multimedia-stream movie's frames are held: in the screen's (or the software
// renderer's) format, in a hardware overlay, or as 24-bit RGB.
constexpr int kMovieModeScreen = 0;
constexpr int kMovieModeOverlay = 1;
constexpr int kMovieModeRgb24 = 2;

// Where an overlay movie was last placed: the arguments and the rectangles given to the
// overlay (left, top, right, bottom).
struct OverlayPlacement {
    int x = 0;
    int y = 0;
    int scale = 0;
    int visible = 0;
    int source[4] = {};
    int destination[4] = {};
};

// The multimedia-stream side of a movie that is not Ogg Theora.
struct MovieStreams {
    std::unique_ptr<platform::MediaStreamGraph> graph;
    std::unique_ptr<platform::StreamSample> sample;
    // Where the frame lies in the sample surface (left, top, right, bottom).
    int sample_rect[4] = {};
    // Microseconds.
    std::int64_t time_per_frame = 0;
    std::int64_t open_time = 0;
    std::int64_t stop_position = 0;
    // The stream time kept while the streams are released for a display change.
    std::int64_t saved_position = 0;
    // The present count at the last frame update (-1 none) and the millisecond clock then.
    std::int64_t last_update_count = -1;
    std::uint32_t last_update_clock = 0;
    int mode = kMovieModeScreen;
    int update_pending = 0;
    // 1 when `path` names a temporary copy of the movie file, removed at disposal.
    int temporary_copy = 0;
    std::string path;
    // Receives a copy of each frame in modes 0 and 2.
    GraphImage frame_copy;
    OverlayPlacement overlay;
    // The sound track and the basic audio's volume.
    MovieSound sound;
};

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
    MovieStreams Streams;
};

using MovieTable = HandleTable<MovieRecord, kMovieHandleKind>;
MovieTable& Movies();

// Copied into each new movie; nothing in the layer sets it.
extern int movie_alpha_beside_option;

// Opens a movie file: the movie handle with the frame size, or -1 (logged).
int OpenMovie(const char* path, int* width, int* height, int mode);
// Opens the movie through the multimedia streams in the mode asked for (0 screen format,
// 1 overlay, 2 24-bit RGB; the display decides what it becomes): 0 with the frame size, or -1
// after logging the step that failed, with nothing left open.
int OpenDirectShowMovie(MovieRecord* movie, const char* path, int* width, int* height, int mode);
// Lets go of a movie's streams, sample and sound; its temporary copy stays.
void ReleaseMovieStreams(MovieRecord* movie);
// Keeps a stream movie's position and lets go of its streams, for a display change.
void SaveAndReleaseMovieStreams(MovieRecord* movie);
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
// 1 when the movie shows through a hardware overlay (mode 1).
bool IsOverlayMovie(int movie);
// Places an overlay movie's frame at (x, y) in the client area, `scale` times its size, and
// keeps the placement; 0 for other movies and before the first frame, -1 for a bad handle.
int DrawMovieToWindow(int x, int y, int scale, int movie, int visible);
// The sample surfaces live in memory and are never lost: 0.
int RestoreMovieSurfaces(int movie);
// Re-opens the streams released for a display change at their saved positions: 0, or -1 at
// the first that fails.
int ReopenAllMovieStreams();

}  // namespace layer
