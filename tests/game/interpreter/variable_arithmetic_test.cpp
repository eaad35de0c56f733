#include <gtest/gtest.h>

#include <climits>

#include "game/core/game_random.h"
#include "game/interpreter/variable_arithmetic.h"

namespace game {
namespace {

struct IntegerCase {
    const char* name;
    int calculation;
    int assignment;
    std::int32_t t, a, b;
    std::int32_t stored;
};

class GeneralInteger : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(GeneralInteger, Stores) {
    const IntegerCase& c = GetParam();
    VariableOperands operands{c.a, c.b};
    const std::int32_t r = CalculateInteger(c.calculation, operands);
    EXPECT_EQ(AssignInteger(c.assignment, c.t, r, operands), c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GeneralInteger,
    ::testing::Values(IntegerCase{"SumClampsAtTwoBillion", 0, 0, 0, 2000000000, 1000, 2000000000},
                      IntegerCase{"AddClamps", 0, 1, 1000, 2000000000, 1000, 2000000000},
                      IntegerCase{"DivideByZeroKeepsA", 3, 0, 0, 17, 0, 17},
                      IntegerCase{"RemainderByZeroIsZero", 4, 0, 0, 17, 0, 0},
                      IntegerCase{"DivideAssignByZeroKeepsT", 0, 4, 9, 0, 0, 9},
                      IntegerCase{"RemainderAssignByZeroIsZero", 0, 5, 9, 0, 0, 0},
                      IntegerCase{"MinimumOverMinusOneWraps", 3, 0, 0, INT32_MIN, -1, INT32_MIN},
                      IntegerCase{"MinimumModMinusOneIsZero", 4, 0, 0, INT32_MIN, -1, 0},
                      IntegerCase{"AngleOfOrigin", 0, 9, 0, 0, 0, 0},
                      IntegerCase{"AngleLeft", 0, 9, 0, -1, 0, 1800},
                      IntegerCase{"AngleDown", 0, 9, 0, 0, 1, 2700},
                      IntegerCase{"AngleAfterDivisionByZeroSeesOne", 3, 9, 0, 5, 0, 3487},
                      IntegerCase{"SineOfNinety", 0, 10, 0, 900, 0, 1000},
                      IntegerCase{"CosineOfNinety", 0, 11, 0, 900, 0, 0},
                      IntegerCase{"SineOfThirtyIsJustBelowHalf", 0, 10, 0, 300, 0, 499},
                      IntegerCase{"AbsoluteOfMinimumWraps", 5, 8, 0, INT32_MIN, -1, INT32_MIN},
                      IntegerCase{"UndefinedCalculationGivesZero", 9, 0, 5, 3, 4, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GeneralInteger, OperatorsTwelveToFifteenStoreNothing) {
    VariableOperands operands{1, 2};
    for (int assignment = 12; assignment < 16; ++assignment)
        EXPECT_FALSE(AssignInteger(assignment, 1, 2, operands).has_value());
    EXPECT_FALSE(AssignReal(12, 1, 2.0, operands).has_value());
    EXPECT_FALSE(AssignWrapped(15, 1, 2, 1, 2).has_value());
}

TEST(GeneralReal, DivisionKeepsItsFraction) {
    VariableOperands operands{7, 2};
    const double r = CalculateReal(3, operands);
    EXPECT_EQ(AssignReal(0, 0, r, operands), 3);
    EXPECT_EQ(AssignReal(1, 1, r, operands), 4);
}

TEST(GeneralReal, RemainderByAFractionBelowOneIsZero) {
    VariableOperands operands{0, 0};
    EXPECT_EQ(AssignReal(5, 7, 0.5, operands), 0);
    EXPECT_EQ(AssignReal(5, 7, -0.25, operands), 0);
    EXPECT_EQ(AssignReal(5, 7, 0.0, operands), 0);
    EXPECT_EQ(AssignReal(5, 7, 2.5, operands), 1);
}

TEST(GeneralReal, ProductsAtTheBoundStayThere) {
    VariableOperands operands{100000, 100000};
    EXPECT_EQ(CalculateReal(2, operands), 2000000000.0);
    EXPECT_EQ(AssignReal(3, 3, 1e9, operands), 2000000000);
}

TEST(GeneralReal, RandomDrawsLikeTheIntegerMode) {
    GameRandomControl(static_cast<int>(RandomMode::kSet), 1234);
    VariableOperands integer{10, 20};
    const std::int32_t drawn = CalculateInteger(6, integer);
    GameRandomControl(static_cast<int>(RandomMode::kSet), 1234);
    VariableOperands real{10, 20};
    EXPECT_EQ(CalculateReal(6, real), static_cast<double>(drawn));
    EXPECT_GE(drawn, 10);
    EXPECT_LE(drawn, 20);
}

TEST(GeneralInteger, RandomOverTheWholeRangeStaysDefined) {
    VariableOperands operands{INT32_MIN, INT32_MAX};
    for (int draw = 0; draw < 100; ++draw)
        CalculateInteger(6, operands);
}

struct WrappedCase {
    const char* name;
    int calculation;
    int assignment;
    std::int32_t t, a, b;
    std::int32_t stored;
};

class Prepared : public ::testing::TestWithParam<WrappedCase> {};

TEST_P(Prepared, Stores) {
    const WrappedCase& c = GetParam();
    const std::int32_t r = CalculateWrapped(c.calculation, c.a, c.b);
    EXPECT_EQ(AssignWrapped(c.assignment, c.t, r, c.a, c.b), c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Prepared,
    ::testing::Values(WrappedCase{"SumWraps", 0, 0, 0, 2000000000, 2000000000, -294967296},
                      WrappedCase{"AngleDownIsOneTenthLess", 0, 9, 0, 0, 1, 2699},
                      WrappedCase{"AngleLeftIsOneTenthLess", 0, 9, 0, -1, 0, 1799},
                      WrappedCase{"DivideAssignByZeroKeepsT", 0, 4, 9, 0, 0, 9},
                      WrappedCase{"RemainderAssignByZeroIsZero", 0, 5, 9, 0, 0, 0},
                      WrappedCase{"MinimumOverMinusOneWraps", 3, 0, 0, INT32_MIN, -1, INT32_MIN}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace game
