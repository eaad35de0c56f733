#pragma once

// Where a memory-cache font's string goes.

namespace layer {

enum class StringRoute {
    // Whole string into the font's 2D work surface, which is then drawn onto the target with
    // the blend mode: anti-aliased or blended text on screens deeper than 8 bits.
    kWorkSurface,
    // Straight into the software back screen (or the mask screen).
    kSoftwareScreen,
    // Into the image over the DirectDraw draw surface.
    kPreparedDraw,
};

constexpr int kBlendNone = 0;
constexpr int kBlendTranslucent = 1;
constexpr int kBlendSubtractive = 3;

StringRoute ChooseStringRoute(int screen_bits, int type, int blend_mode, int blend_parameter,
                              int software_drawing);

}  // namespace layer
