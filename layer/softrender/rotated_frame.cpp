#include "layer/softrender/rotated_frame.h"

#include <cmath>

#include "layer/core/number_routines.h"
#include "layer/softrender/fixed_point.h"

namespace layer {
namespace {

// A float that converts to a 32-bit int without leaving its range.
bool FloatFitsInt32(float value) {
    return std::fabs(value) < 2147483648.0f;
}

bool PlaceCorner(std::int64_t centre, float offset, std::int32_t* corner) {
    if (!FloatFitsInt32(offset)) {
        return false;
    }
    const std::int64_t value = centre * kFixedOne + FloatToInt(offset);
    if (!FitsInt32(value)) {
        return false;
    }
    *corner = static_cast<std::int32_t>(value);
    return true;
}

}  // namespace

bool ComputeRotatedFrame(int width, int height, int cx, int cy, float angle, float scale,
                         RotatedFrame* frame) {
    if (!std::isfinite(angle) || !std::isfinite(scale)) {
        return false;
    }
    float sine = 0.0f;
    float cosine = 0.0f;
    SinCos(-angle, &sine, &cosine);
    frame->cos_inverse = FloatToInt(cosine * 262144.0f);
    frame->sin_inverse = FloatToInt(sine * 262144.0f);
    SinCos(angle, &sine, &cosine);
    frame->cos_angle = FloatToInt(cosine * 262144.0f);
    frame->sin_angle = FloatToInt(sine * 262144.0f);

    const float half_width = static_cast<float>(static_cast<unsigned>(width)) * scale * 0.5f;
    const float half_height = static_cast<float>(static_cast<unsigned>(height)) * scale * 0.5f;
    const float c = static_cast<float>(frame->cos_angle);
    const float s = static_cast<float>(frame->sin_angle);
    const float cw = c * half_width;
    const float sw = s * half_width;
    const float ch = c * half_height;
    const float sh = s * half_height;
    const float offsets[4][2] = {{sh - cw, -ch - sw},  // top-left
                                 {cw + sh, sw - ch},   // top-right
                                 {-cw - sh, ch - sw},  // bottom-left
                                 {cw - sh, ch + sw}};  // bottom-right
    for (int i = 0; i < 4; ++i) {
        if (!PlaceCorner(cx, offsets[i][0], &frame->x[i]) ||
            !PlaceCorner(cy, offsets[i][1], &frame->y[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace layer
