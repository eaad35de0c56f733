#pragma once

#include "layer/softrender/textured_context.h"

namespace layer {

// The bright colour stage: s' = floor(c * s / 255) through the product-table row of the
// bright colour's channel; a 16-bit field value is used as the column as it is.
template <bool kWhite, int kChannel>
inline int Brighten(const TexturedContext& c, int s) {
    if constexpr (kWhite) {
        return s;
    } else {
        return c.bright_rows[kChannel][s];
    }
}

}  // namespace layer
