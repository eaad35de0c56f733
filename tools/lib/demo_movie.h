#pragma once

#include <array>
#include <vector>

#include "tools/lib/demo_map.h"

namespace tools {

// The demo's movies below "Data", each 64 x 48 with a tone as its sound track: a Theora clip
// of 30 frames at 10 frames a second, each frame one flat colour, with a 3-second tone; and
// an MPEG-1 program stream, an AVI of motion JPEG with PCM sound and a WMV with WMA sound,
// each of 30 frames at 25 frames a second showing the counting pattern of the clip writer.
inline constexpr char kDemoMovie[] = "Movie\\demo.ogv";
inline constexpr char kDemoMpegMovie[] = "Movie\\demo.mpg";
inline constexpr char kDemoAviMovie[] = "Movie\\demo.avi";
inline constexpr char kDemoWmvMovie[] = "Movie\\demo.wmv";
inline constexpr std::array<const char*, 4> kDemoMovies = {kDemoMovie, kDemoMpegMovie,
                                                           kDemoAviMovie, kDemoWmvMovie};

std::vector<DemoFile> DemoMovieFiles();

}  // namespace tools
