#pragma once

#include <cstdint>

namespace layer {

// An unsigned 128-bit value as two 64-bit halves.
struct Uint128 {
    std::uint64_t low = 0;
    std::uint64_t high = 0;
};

Uint128 Mul64To128(std::uint64_t a, std::uint64_t b);
// The low 64 bits of the quotient, taken downward. A divisor of 0 gives all ones, as the
// shift-and-subtract division does when every step subtracts.
std::uint64_t Div128By64(Uint128 dividend, std::uint64_t divisor);

}  // namespace layer
