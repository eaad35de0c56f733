#include "layer/core/wide_arithmetic.h"

namespace layer {
namespace {

using Wide = unsigned __int128;

Wide ToWide(Uint128 value) {
    return (static_cast<Wide>(value.high) << 64) | value.low;
}

}  // namespace

Uint128 Mul64To128(std::uint64_t a, std::uint64_t b) {
    const Wide product = static_cast<Wide>(a) * b;
    return {static_cast<std::uint64_t>(product), static_cast<std::uint64_t>(product >> 64)};
}

std::uint64_t Div128By64(Uint128 dividend, std::uint64_t divisor) {
    if (divisor == 0) {
        return UINT64_MAX;
    }
    return static_cast<std::uint64_t>(ToWide(dividend) / divisor);
}

}  // namespace layer
