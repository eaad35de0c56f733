#pragma once

#include <cstdint>
#include <vector>

#include "tools/lib/theora_clip_writer.h"

namespace tools {

// The containers and codecs of the test movies that are not Ogg Theora.
enum class MovieClipKind {
    // MPEG-1 video with MPEG audio layer II in an MPEG program stream (.mpg).
    kMpegProgram,
    // Motion JPEG with 16-bit PCM in AVI (.avi).
    kAvi,
    // Windows Media video 8 with Windows Media audio 2 in ASF (.wmv).
    kAsf,
};

// A counting pattern: frame n shows the bits of n as blocks along the top of the picture (bit
// k, 16 x 16 pixels at column 16 k, white for 1, black for 0) over a grey-blue ground, so that
// a lossy decode still tells the frame number.
struct MovieClipOptions {
    MovieClipKind kind = MovieClipKind::kMpegProgram;
    // Multiples of 16, at least 16 x 16.
    int width = 96;
    int height = 64;
    int frame_count = 50;
    // One of the rates MPEG-1 knows: 24, 25, 30, 50 or 60.
    int frames_per_second = 25;
    // A 440 Hz tone as long as the picture; false leaves the sound track out.
    bool sound = true;
};

// The clip's bytes; empty when an encoder or the muxer refuses.
std::vector<std::uint8_t> WriteMovieClip(const MovieClipOptions& options);

// The frame number the pattern of a decoded picture shows: `pixel(x, y)` gives the brightness
// (0 to 255) of a pixel; -1 when a block is neither clearly light nor clearly dark.
template <typename Brightness>
int ReadCountingPattern(int width, Brightness pixel) {
    int frame = 0;
    for (int bit = 0; bit < width / 16; ++bit) {
        const int value = pixel(bit * 16 + 8, 8);
        if (value > 80 && value < 176) {
            return -1;
        }
        frame |= value >= 176 ? 1 << bit : 0;
    }
    return frame;
}

// Clips for the movie opening's fuzz target: one of each kind, one cut short, one damaged.
std::vector<NamedBytes> MovieClipSeeds();

}  // namespace tools
