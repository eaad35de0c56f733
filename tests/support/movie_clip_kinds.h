#pragma once

#include "tools/lib/movie_clip_writer.h"

namespace test {

// One clip of each movie format other than Ogg Theora, with the file name it is written as.
struct MovieClipCase {
    tools::MovieClipKind kind;
    const char* name;
};

inline constexpr MovieClipCase kMovieClipCases[] = {
    {tools::MovieClipKind::kMpegProgram, "clip.mpg"},
    {tools::MovieClipKind::kAvi, "clip.avi"},
    {tools::MovieClipKind::kAsf, "clip.wmv"}};

}  // namespace test
