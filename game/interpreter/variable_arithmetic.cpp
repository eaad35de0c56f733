#include "game/interpreter/variable_arithmetic.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "game/core/game_random.h"
#include "game/interpreter/event_interpreter.h"

namespace game {
namespace {

// The games were tuned with this value of pi; angles and sines depend on its last digits.
constexpr double kPi = 3.1415926535;

std::int32_t Wrap(std::int64_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

std::int64_t Truncate(double value) {
    if (std::isnan(value))
        return 0;
    if (value >= 9.2e18)
        return INT64_MAX;
    if (value <= -9.2e18)
        return INT64_MIN;
    return static_cast<std::int64_t>(value);
}

std::int32_t RandomBetween(std::int32_t a, std::int32_t b) {
    const std::int32_t difference = Wrap(static_cast<std::int64_t>(a) - b);
    const std::uint64_t span = static_cast<std::uint64_t>(std::llabs(difference)) + 1;
    const std::uint64_t drawn = GameRandomControl(static_cast<int>(RandomMode::kStep)) % span;
    return Wrap(std::min(a, b) + static_cast<std::int64_t>(drawn));
}

void ReplaceZeroDivisor(VariableOperands& operands) {
    if (operands.b == 0)
        operands.b = 1;
}

// Tenths of a degree from the origin to (a, b); b grows downward.
std::int32_t GeneralAngle(const VariableOperands& operands) {
    const double y = static_cast<double>(-static_cast<std::int64_t>(operands.b));
    const std::int64_t tenths = Truncate(std::atan2(y, operands.a) / kPi * 1800) + 3600;
    return static_cast<std::int32_t>(tenths % 3600);
}

std::int32_t Sine(double r) {
    return Wrap(Truncate(std::sin(r * kPi / 1800) * 1000));
}

std::int32_t Cosine(double r) {
    return Wrap(Truncate(std::cos(r * kPi / 1800) * 1000));
}

using IntegerCalculation = std::int32_t (*)(VariableOperands&);
constexpr std::array<IntegerCalculation, 7> kIntegerCalculations{{
    [](VariableOperands& o) { return ClampToBillions(static_cast<std::int64_t>(o.a) + o.b); },
    [](VariableOperands& o) { return ClampToBillions(static_cast<std::int64_t>(o.a) - o.b); },
    [](VariableOperands& o) { return ClampToBillions(static_cast<std::int64_t>(o.a) * o.b); },
    [](VariableOperands& o) {
        ReplaceZeroDivisor(o);
        return WrappedQuotient(o.a, o.b);
    },
    [](VariableOperands& o) {
        ReplaceZeroDivisor(o);
        return WrappedRemainder(o.a, o.b);
    },
    [](VariableOperands& o) { return o.a & o.b; },
    [](VariableOperands& o) { return RandomBetween(o.a, o.b); },
}};

using RealCalculation = double (*)(VariableOperands&);
constexpr std::array<RealCalculation, 7> kRealCalculations{{
    [](VariableOperands& o) { return static_cast<double>(o.a) + o.b; },
    [](VariableOperands& o) { return static_cast<double>(o.a) - o.b; },
    [](VariableOperands& o) {
        const std::int32_t clamped = ClampToBillions(static_cast<std::int64_t>(o.a) * o.b);
        if (clamped == 2000000000 || clamped == -2000000000)
            return static_cast<double>(clamped);
        return static_cast<double>(o.a) * o.b;
    },
    [](VariableOperands& o) {
        ReplaceZeroDivisor(o);
        return static_cast<double>(o.a) / o.b;
    },
    [](VariableOperands& o) {
        ReplaceZeroDivisor(o);
        return static_cast<double>(WrappedRemainder(o.a, o.b));
    },
    [](VariableOperands& o) { return static_cast<double>(o.a & o.b); },
    // Draws like the integer mode rather than leaving the result at 0.
    [](VariableOperands& o) { return static_cast<double>(RandomBetween(o.a, o.b)); },
}};

struct IntegerStep {
    std::int32_t t;
    std::int32_t r;
    const VariableOperands& operands;
};
using IntegerAssignment = std::int32_t (*)(const IntegerStep&);
constexpr std::array<IntegerAssignment, 12> kIntegerAssignments{{
    [](const IntegerStep& s) { return s.r; },
    [](const IntegerStep& s) { return ClampToBillions(static_cast<std::int64_t>(s.t) + s.r); },
    [](const IntegerStep& s) { return ClampToBillions(static_cast<std::int64_t>(s.t) - s.r); },
    [](const IntegerStep& s) { return ClampToBillions(static_cast<std::int64_t>(s.t) * s.r); },
    [](const IntegerStep& s) { return WrappedQuotient(s.t, s.r); },
    [](const IntegerStep& s) { return WrappedRemainder(s.t, s.r); },
    [](const IntegerStep& s) { return std::max(s.t, s.r); },
    [](const IntegerStep& s) { return std::min(s.t, s.r); },
    [](const IntegerStep& s) { return Wrap(std::llabs(static_cast<std::int64_t>(s.r))); },
    [](const IntegerStep& s) { return GeneralAngle(s.operands); },
    [](const IntegerStep& s) { return Sine(s.r); },
    [](const IntegerStep& s) { return Cosine(s.r); },
}};

struct RealStep {
    std::int32_t t;
    double r;
    const VariableOperands& operands;
};
// Low 32 bits of trunc(r): where no clamp follows.
std::int32_t TruncatedLow(double r) {
    return Wrap(Truncate(r));
}
// The remainder by trunc(r); an r of exactly 0 divides by 1, and any other r whose truncation
// is 0 (strictly between -1 and 1) gives 0.
std::int32_t RealRemainder(std::int32_t t, double r) {
    if (r == 0.0)
        return 0;
    const std::int64_t divisor = Truncate(r);
    if (divisor == 0)
        return 0;
    return static_cast<std::int32_t>(static_cast<std::int64_t>(t) % divisor);
}
std::int32_t RealMultiply(std::int32_t t, double r) {
    // trunc(r) is kept within 2^31: beyond, any t other than 0 reaches a bound anyway.
    const std::int64_t factor = std::clamp<std::int64_t>(Truncate(r), -(1LL << 31), 1LL << 31);
    const std::int32_t bounded = ClampToBillions(t * factor);
    if (bounded == 2000000000 || bounded == -2000000000)
        return bounded;
    return ClampToBillions(Truncate(t * r));
}
using RealAssignment = std::int32_t (*)(const RealStep&);
constexpr std::array<RealAssignment, 12> kRealAssignments{{
    [](const RealStep& s) { return TruncatedLow(s.r); },
    [](const RealStep& s) { return ClampToBillions(Truncate(s.t + s.r)); },
    [](const RealStep& s) { return ClampToBillions(Truncate(s.t - s.r)); },
    [](const RealStep& s) { return RealMultiply(s.t, s.r); },
    [](const RealStep& s) { return TruncatedLow(s.t / (s.r == 0.0 ? 1.0 : s.r)); },
    [](const RealStep& s) { return RealRemainder(s.t, s.r); },
    [](const RealStep& s) { return s.t < s.r ? TruncatedLow(s.r) : s.t; },
    [](const RealStep& s) { return s.t > s.r ? TruncatedLow(s.r) : s.t; },
    [](const RealStep& s) { return Wrap(std::llabs(std::max(Truncate(s.r), -INT64_MAX))); },
    [](const RealStep& s) { return GeneralAngle(s.operands); },
    [](const RealStep& s) { return Sine(s.r); },
    [](const RealStep& s) { return Cosine(s.r); },
}};

using WrappedCalculation = std::int32_t (*)(std::int32_t, std::int32_t);
constexpr std::array<WrappedCalculation, 7> kWrappedCalculations{{
    [](std::int32_t a, std::int32_t b) { return Wrap(static_cast<std::int64_t>(a) + b); },
    [](std::int32_t a, std::int32_t b) { return Wrap(static_cast<std::int64_t>(a) - b); },
    [](std::int32_t a, std::int32_t b) { return Wrap(static_cast<std::int64_t>(a) * b); },
    [](std::int32_t a, std::int32_t b) { return WrappedQuotient(a, b); },
    [](std::int32_t a, std::int32_t b) { return WrappedRemainder(a, b); },
    [](std::int32_t a, std::int32_t b) { return a & b; },
    [](std::int32_t a, std::int32_t b) { return RandomBetween(a, b); },
}};

struct WrappedStep {
    std::int32_t t;
    std::int32_t r;
    std::int32_t a;
    std::int32_t b;
};
using WrappedAssignment = std::int32_t (*)(const WrappedStep&);
constexpr std::array<WrappedAssignment, 12> kWrappedAssignments{{
    [](const WrappedStep& s) { return s.r; },
    [](const WrappedStep& s) { return Wrap(static_cast<std::int64_t>(s.t) + s.r); },
    [](const WrappedStep& s) { return Wrap(static_cast<std::int64_t>(s.t) - s.r); },
    [](const WrappedStep& s) { return Wrap(static_cast<std::int64_t>(s.t) * s.r); },
    [](const WrappedStep& s) { return WrappedQuotient(s.t, s.r); },
    [](const WrappedStep& s) { return WrappedRemainder(s.t, s.r); },
    [](const WrappedStep& s) { return std::max(s.t, s.r); },
    [](const WrappedStep& s) { return std::min(s.t, s.r); },
    [](const WrappedStep& s) { return Wrap(std::llabs(static_cast<std::int64_t>(s.r))); },
    // The real-valued -B: a B of 0 gives -0, one tenth below the general path's angle.
    [](const WrappedStep& s) {
        const double y = -static_cast<double>(s.b);
        return static_cast<std::int32_t>(Truncate(std::atan2(y, s.a) / kPi * 1800 + 3600) % 3600);
    },
    [](const WrappedStep& s) { return Sine(s.r); },
    [](const WrappedStep& s) { return Cosine(s.r); },
}};

template <typename Table>
bool InTable(const Table& table, int code) {
    return code >= 0 && static_cast<std::size_t>(code) < table.size();
}

}  // namespace

std::int32_t WrappedQuotient(std::int32_t a, std::int32_t b) {
    if (b == 0)
        b = 1;
    return Wrap(static_cast<std::int64_t>(a) / b);
}

std::int32_t WrappedRemainder(std::int32_t a, std::int32_t b) {
    if (b == 0)
        b = 1;
    return static_cast<std::int32_t>(static_cast<std::int64_t>(a) % b);
}

std::int32_t CalculateInteger(int calculation, VariableOperands& operands) {
    return InTable(kIntegerCalculations, calculation) ? kIntegerCalculations[calculation](operands)
                                                      : 0;
}

double CalculateReal(int calculation, VariableOperands& operands) {
    return InTable(kRealCalculations, calculation) ? kRealCalculations[calculation](operands) : 0.0;
}

std::optional<std::int32_t> AssignInteger(int assignment, std::int32_t t, std::int32_t r,
                                          const VariableOperands& operands) {
    if (!InTable(kIntegerAssignments, assignment))
        return std::nullopt;
    return kIntegerAssignments[assignment]({t, r, operands});
}

std::optional<std::int32_t> AssignReal(int assignment, std::int32_t t, double r,
                                       const VariableOperands& operands) {
    if (!InTable(kRealAssignments, assignment))
        return std::nullopt;
    return kRealAssignments[assignment]({t, r, operands});
}

std::int32_t CalculateWrapped(int calculation, std::int32_t a, std::int32_t b) {
    return InTable(kWrappedCalculations, calculation) ? kWrappedCalculations[calculation](a, b) : 0;
}

std::optional<std::int32_t> AssignWrapped(int assignment, std::int32_t t, std::int32_t r,
                                          std::int32_t a, std::int32_t b) {
    if (!InTable(kWrappedAssignments, assignment))
        return std::nullopt;
    return kWrappedAssignments[assignment]({t, r, a, b});
}

}  // namespace game
