// Kept apart from the conversion so that the layer core's tests, which record this call, link
// without it.
#include <algorithm>

#include "layer/media/media_services.h"
#include "layer/media/yuv_tables.h"

namespace layer {

int BuildYuvTables() {
    for (int value = kYuvClampLow; value <= kYuvClampHigh; ++value) {
        yuv_tables.clamp[value - kYuvClampLow] =
            static_cast<std::uint8_t>(std::clamp(value, 0, 255));
    }
    for (int j = 0; j < 256; ++j) {
        yuv_tables.r_from_v[j] = 26148 * (j - 128);
        yuv_tables.g_from_u[j] = -6406 * (j - 128);
        yuv_tables.g_from_v[j] = -13320 * (j - 128);
        yuv_tables.b_from_u[j] = 33062 * (j - 128);
        yuv_tables.y[j] = 19070 * (j - 16);
    }
    return 0;
}

}  // namespace layer
