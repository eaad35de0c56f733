#pragma once

#include <cstdint>

namespace layer {

// Where a rotated and scaled image lies, in 14.18 fixed point.
struct RotatedFrame {
    // Cosine and sine of the angle, and of its negation.
    std::int32_t cos_angle = 0;
    std::int32_t sin_angle = 0;
    std::int32_t cos_inverse = 0;
    std::int32_t sin_inverse = 0;
    // The image's corners in the quad's order: top-left, top-right, bottom-left, bottom-right.
    std::int32_t x[4] = {0, 0, 0, 0};
    std::int32_t y[4] = {0, 0, 0, 0};
};

enum RotatedCorner { kTopLeft = 0, kTopRight = 1, kBottomLeft = 2, kBottomRight = 3 };

// The frame of a width x height image turned by `angle` radians (clockwise on screen) and
// scaled by `scale` about its centre placed on (cx, cy). False when the angle or scale is
// not finite or a corner does not fit 32 bits; such an image draws nothing.
bool ComputeRotatedFrame(int width, int height, int cx, int cy, float angle, float scale,
                         RotatedFrame* frame);

}  // namespace layer
