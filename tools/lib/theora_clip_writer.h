#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tools {

// A test clip: an Ogg file with a Theora video whose frame n is one flat colour encoding n,
// and an optional Vorbis tone interleaved with it by time.
struct TheoraClipOptions {
    // The coded frame, multiples of 16.
    int coded_width = 48;
    int coded_height = 32;
    // The picture region inside it, counted from the top left; 0 means the coded size.
    int picture_width = 0;
    int picture_height = 0;
    int picture_x = 0;
    int picture_y = 0;
    int frame_count = 8;
    int fps_numerator = 10;
    int fps_denominator = 1;
    // A key frame every this many frames.
    int keyframe_interval = 4;
    // 4:4:4 chroma instead of 4:2:0.
    bool chroma_444 = false;
    // false leaves the Theora stream out entirely (a Vorbis-only file with a tone).
    bool video = true;
    // Frame 0's packet is damaged: its key-frame header sets bits no decoder accepts.
    bool damaged_first_frame = false;
    // Seconds of a 440 Hz tone in a Vorbis stream; 0 for none.
    double tone_seconds = 0;
};

struct YuvColour {
    std::uint8_t y = 0;
    std::uint8_t u = 0;
    std::uint8_t v = 0;
};

// Frame n's colour, with s = n mod 28: Y = 16 + 8s, U = 72 + 3s, V = 190 - 3s (never equal).
YuvColour ClipFrameColour(int frame);
// The colour of the coded frame outside the picture region.
YuvColour ClipPaddingColour();

struct TheoraClip {
    std::vector<std::uint8_t> bytes;
    // Where the page holding the third Theora header starts (0 without video).
    std::size_t third_header_page = 0;
};

// The clip; empty bytes when an encoder refuses the options.
TheoraClip WriteTheoraClip(const TheoraClipOptions& options);

struct NamedBytes {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

// Small clips for the decoder's fuzz target: 4:2:0 with a picture region, 4:4:4, with a tone,
// with a damaged first frame, and cut before the third header.
std::vector<NamedBytes> TheoraClipSeeds();

}  // namespace tools
