#pragma once

#include <cstdint>

#include "layer/core/rect.h"
#include "layer/softrender/draw_state.h"
#include "layer/softrender/memimg.h"

namespace layer {

// What every polygon, box and line renderer checks of its destination before drawing.
struct RenderTarget {
    std::uint8_t* pixels = nullptr;
    std::int64_t pitch = 0;
    // 2 for colour type 0, 4 for colour type 1.
    int bytes_per_pixel = 0;
    bool bits32 = false;
    // The draw area intersected with the destination's own size.
    Rect area;
};

// False when nothing may be drawn: an invalid image, a colour type other than 0 or 1, a
// palette or alpha destination, or a draw area that leaves nothing of the destination.
bool PrepareRenderTarget(const MEMIMG* dest, const SoftDrawState& state, RenderTarget* target);

// The BlendMode code a draw runs with, or -1 when it draws nothing: codes 5 to 9 and outside
// 0 to 11, and codes 1 to 3 at parameter 0. Code 1 at parameter 255 draws as code 0.
int EffectiveBlendCode(int code, int parameter);

inline bool IsValidMemImg(const MEMIMG* image) {
    return image != nullptr && image->Magic == kMemImgMagic && image->Body != nullptr &&
           image->Pixels != nullptr;
}

inline std::uint8_t* PixelAddress(const RenderTarget& target, std::int64_t x, std::int64_t y) {
    return target.pixels + y * target.pitch + x * target.bytes_per_pixel;
}

}  // namespace layer
