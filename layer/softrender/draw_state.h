#pragma once

#include <cstdint>

#include "layer/core/rect.h"

namespace layer {

// Blend mode codes. Codes 5 to 9 and every code outside 0 to 11 draw nothing in software.
enum BlendMode : int {
    BlendNone = 0,
    BlendTranslucent = 1,
    BlendAdditive = 2,
    BlendSubtractive = 3,
    BlendMultiply = 4,
    BlendInvertedSource = 10,
    BlendMultiplyFaded = 11,
};

// What a software draw reads of the draw settings, captured once by the caller per draw.
// The software renderer reads no global draw state of its own.
struct SoftDrawState {
    // Left, top, right, bottom of the draw area (right and bottom exclusive).
    Rect draw_area;
    // A BlendMode code; any other value draws nothing.
    int blend_mode = BlendNone;
    // 0..255.
    int blend_parameter = 0;
    // 0x..RRGGBB multiplied into every source colour; on when its low 24 bits are not 0xFFFFFF.
    std::uint32_t bright_color = 0xFFFFFF;
    // The layer's MMX flag: 1 selects the byte-saturating forms of the full-strength 32-bit
    // additive and subtractive draws.
    int mmx = 0;
};

}  // namespace layer
