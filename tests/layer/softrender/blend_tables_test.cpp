#include "layer/softrender/blend_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>
#include "tests/support/case_name.h"

namespace layer {
namespace {

struct TableCase {
    const char* table;
    int row;
    int column;
    int inner;
    int expected;
};

int Lookup(const TableCase& c) {
    const std::string table = c.table;
    if (table == "product") {
        return BlendProduct[c.row * 256 + c.column];
    }
    if (table == "difference") {
        return BlendDifference[c.row * 512 + c.column];
    }
    return BlendMix64[c.row * 4096 + c.column * 64 + c.inner];
}

class BlendTableValueTest : public testing::TestWithParam<TableCase> {};

TEST_P(BlendTableValueTest, HoldsTheWorkedValue) {
    EXPECT_EQ(Lookup(GetParam()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Worked, BlendTableValueTest,
    testing::Values(TableCase{"product", 255, 255, 0, 255}, TableCase{"product", 128, 255, 0, 128},
                    TableCase{"product", 200, 100, 0, 78}, TableCase{"product", 254, 254, 0, 253},
                    TableCase{"product", 1, 254, 0, 0}, TableCase{"difference", 255, 1, 0, -255},
                    TableCase{"difference", 128, 356, 0, 50},
                    TableCase{"difference", 128, 156, 0, -50}, TableCase{"difference", 1, 2, 0, 0},
                    TableCase{"difference", 255, 257, 0, 1}, TableCase{"mix64", 63, 10, 50, 10},
                    TableCase{"mix64", 0, 10, 50, 50}, TableCase{"mix64", 32, 63, 0, 32},
                    TableCase{"mix64", 32, 0, 63, 31}, TableCase{"mix64", 16, 31, 0, 7}),
    [](const auto& info) {
        return test::CaseName(info.param.table + (" row " + std::to_string(info.param.row)) +
                              " column " + std::to_string(info.param.column) + " inner " +
                              std::to_string(info.param.inner));
    });

TEST(BlendTablesTest, DifferenceCentreAndUnwrittenFirstColumnAreZero) {
    BuildBlendTables();
    for (int p = 0; p < 256; ++p) {
        EXPECT_EQ(BlendDifference[p * 512 + 256], 0) << p;
        EXPECT_EQ(BlendDifference[p * 512], 0) << p;
    }
}

struct WeightCase {
    int parameter;
    int range;
    std::vector<std::pair<int, int>> byte_and_weight;
};

class BlendWeightTest : public testing::TestWithParam<WeightCase> {};

TEST_P(BlendWeightTest, FollowsParameterAndRange) {
    BuildBlendGraphWeightTable(GetParam().parameter, GetParam().range);
    for (const auto& [byte, weight] : GetParam().byte_and_weight) {
        EXPECT_EQ(BlendWeight[byte], weight) << "byte " << byte;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Worked, BlendWeightTest,
    testing::Values(WeightCase{0, 0, {{0, 255}, {1, 255}, {128, 255}, {255, 255}}},
                    WeightCase{0, 255, {{0, 255}, {200, 255}, {255, 255}}},
                    WeightCase{128, 255, {{0, 0}, {1, 1}, {77, 77}, {254, 254}, {255, 255}}},
                    WeightCase{255, 255, {{0, 0}, {128, 0}, {254, 0}, {255, 1}}},
                    WeightCase{255, 0, {{0, 0}, {128, 0}, {254, 0}, {255, 1}}},
                    WeightCase{64, 0, {{0, 0}, {63, 0}, {64, 192}, {65, 255}, {255, 255}}},
                    WeightCase{128,
                               127,
                               {{0, 0},
                                {64, 0},
                                {65, 2},
                                {66, 4},
                                {67, 6},
                                {128, 128},
                                {191, 254},
                                {192, 255},
                                {255, 255}}}),
    [](const auto& info) {
        return "Parameter" + std::to_string(info.param.parameter) + "Range" +
               std::to_string(info.param.range);
    });

}  // namespace
}  // namespace layer
