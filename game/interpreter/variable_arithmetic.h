#pragma once

#include <cstdint>
#include <optional>

namespace game {

// The two operand values of a variable operation. Division and remainder replace a zero B
// by 1 here, which the angle operator then sees.
struct VariableOperands {
    std::int32_t a = 0;
    std::int32_t b = 0;
};

// Integer division and remainder that never trap: a zero divisor counts as 1, and the one
// quotient outside the range (the lowest value divided by -1) wraps to itself.
std::int32_t WrappedQuotient(std::int32_t a, std::int32_t b);
std::int32_t WrappedRemainder(std::int32_t a, std::int32_t b);

// The general path's calculations (codes 0 to 6; any other gives 0) with its clamps, in
// integer and in real-number mode.
std::int32_t CalculateInteger(int calculation, VariableOperands& operands);
double CalculateReal(int calculation, VariableOperands& operands);

// The general path's assignment operators (0 to 11) on the present value t and the result r;
// nothing for operators that store nothing.
std::optional<std::int32_t> AssignInteger(int assignment, std::int32_t t, std::int32_t r,
                                          const VariableOperands& operands);
std::optional<std::int32_t> AssignReal(int assignment, std::int32_t t, double r,
                                       const VariableOperands& operands);

// The prepared forms: plain 32-bit arithmetic with wrap-around and no clamps; B stays as it
// is for the angle, which is taken from the real-valued -B.
std::int32_t CalculateWrapped(int calculation, std::int32_t a, std::int32_t b);
std::optional<std::int32_t> AssignWrapped(int assignment, std::int32_t t, std::int32_t r,
                                          std::int32_t a, std::int32_t b);

}  // namespace game
