#pragma once

// The tables of the fixed-point BT.601 conversion of studio-range YUV: each holds a
// coefficient times 16384 for one byte value, and the clamp table turns a sum divided by 16384
// (-512 to 767) into a byte. Built once at layer start-up by BuildYuvTables
// (media_services.h).

#include <cstdint>

namespace layer {

constexpr int kYuvFixedOne = 16384;
constexpr int kYuvClampLow = -512;
constexpr int kYuvClampHigh = 767;

struct YuvTables {
    std::uint8_t clamp[kYuvClampHigh - kYuvClampLow + 1];
    std::int32_t r_from_v[256];
    std::int32_t g_from_u[256];
    std::int32_t g_from_v[256];
    std::int32_t b_from_u[256];
    std::int32_t y[256];
};

extern YuvTables yuv_tables;

inline std::uint8_t ClampYuvSum(int sum) {
    return yuv_tables.clamp[sum / kYuvFixedOne - kYuvClampLow];
}

}  // namespace layer
