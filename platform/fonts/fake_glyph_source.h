#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/fonts/glyph_source.h"

namespace platform {

// A glyph source of fixed shapes for rule tests: every font of height h has the cell h,
// ascent h - h / 4 and the widest character `max_char_width` (h when negative); every glyph
// but the spaces (0x20 and the full-width 0x8140, which have no pixels) has the box below.
struct FakeGlyphSettings {
    int max_char_width = -1;
    int box_width = 6;
    int box_height = 8;
    int origin_x = 1;
    int origin_y = 10;
    int advance = 8;
    int space_advance = 8;
    // The grey level of every pixel of the box (a bitmap sets the pixels of non-zero levels).
    int level = 16;
    // When not empty: box_width x box_height levels, rows top down, in place of `level`.
    std::vector<std::uint8_t> pixels;
    // A code whose glyph cannot be rendered (0: none).
    unsigned failing_code = 0;
    // The next this many font creations fail.
    int refuse_fonts = 0;

    // What was asked: each creation's face ("" for null), charset and italic flag, and the
    // code of each glyph whose bitmap was read.
    struct Request {
        std::string face;
        int height = 0;
        int weight = 0;
        int charset = 0;
        int italic = 0;
    };
    std::vector<Request> requests;
    std::vector<unsigned> rendered_codes;
    int live_fonts = 0;
};

FakeGlyphSettings& FakeGlyphs();
// Puts every setting back.
void ResetFakeGlyphs();
const GlyphSource& FakeGlyphSource();

}  // namespace platform
