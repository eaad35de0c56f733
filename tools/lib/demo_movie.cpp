#include "tools/lib/demo_movie.h"

#include <algorithm>
#include <string>

#include "tools/lib/theora_clip_writer.h"

namespace tools {

DemoFile DemoMovieFile() {
    TheoraClipOptions options;
    options.coded_width = 64;
    options.coded_height = 48;
    options.frame_count = 30;
    options.fps_numerator = 10;
    options.keyframe_interval = 10;
    options.tone_seconds = 3;
    std::string path = std::string("Data/") + kDemoMovie;
    std::replace(path.begin(), path.end(), '\\', '/');
    return {path, WriteTheoraClip(options).bytes};
}

}  // namespace tools
