#pragma once

#include "tools/lib/demo_map.h"

namespace tools {

// The demo's movie below "Data": a 64 x 48 Theora clip of 30 frames at 10 frames a second,
// each frame one flat colour, with a 3-second tone as its soundtrack.
inline constexpr char kDemoMovie[] = "Movie\\demo.ogv";

DemoFile DemoMovieFile();

}  // namespace tools
