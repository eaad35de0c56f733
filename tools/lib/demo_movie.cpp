#include "tools/lib/demo_movie.h"

#include "tools/lib/movie_clip_writer.h"
#include "tools/lib/theora_clip_writer.h"

namespace tools {
namespace {

DemoFile TheoraMovieFile() {
    TheoraClipOptions options;
    options.coded_width = 64;
    options.coded_height = 48;
    options.frame_count = 30;
    options.fps_numerator = 10;
    options.keyframe_interval = 10;
    options.tone_seconds = 3;
    return DemoDataFile(kDemoMovie, WriteTheoraClip(options).bytes);
}

DemoFile ClipMovieFile(const char* name, MovieClipKind kind) {
    MovieClipOptions options;
    options.kind = kind;
    options.width = 64;
    options.height = 48;
    options.frame_count = 30;
    return DemoDataFile(name, WriteMovieClip(options));
}

}  // namespace

std::vector<DemoFile> DemoMovieFiles() {
    return {TheoraMovieFile(), ClipMovieFile(kDemoMpegMovie, MovieClipKind::kMpegProgram),
            ClipMovieFile(kDemoAviMovie, MovieClipKind::kAvi),
            ClipMovieFile(kDemoWmvMovie, MovieClipKind::kAsf)};
}

}  // namespace tools
