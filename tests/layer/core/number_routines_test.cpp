#include "layer/core/number_routines.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace layer {
namespace {

TEST(ParseInt, ReadsTheFirstNumber) {
    struct Case {
        std::string text;
        int expected;
    };
    const Case cases[] = {
        {"abc", -1},
        {"", -1},
        {"x-12y", -12},
        {"-", 0},
        {"--5", 0},
        {"007", 7},
        {" 42abc", 42},
        {"12-3", 12},
        {"\x95\x5C"
         "5",
         5},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"2147483648", INT_MIN},  // wraps in 32 bits
        {"4294967297", 1},
        {std::string(32, '1') + "5", -954437177},  // 32 digits at most
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseInt(c.text.c_str()), c.expected) << c.text;
    }
}

TEST(IntToText, WritesTheValueInTheBase) {
    struct Case {
        int value;
        int base;
        const char* expected;
    };
    const Case cases[] = {
        {255, 16, "ff"},
        {-10, 10, "-10"},
        {0, 10, "0"},
        {0, 2, "0"},
        {35, 36, "z"},
        {-1, 2, "-1"},
        {INT_MAX, 2, "1111111111111111111111111111111"},
        {INT_MIN, 10, "-2147483648"},
        {INT_MIN, 16, "-80000000"},
        {INT_MIN, 2, "-10000000000000000000000000000000"},
        {10, 1, "10"},  // bases outside 2 to 36 count as 10
        {10, 37, "10"},
        {-5, -3, "-5"},
    };
    for (const Case& c : cases) {
        char output[40];
        EXPECT_STREQ(IntToText(c.value, output, sizeof output, c.base), c.expected)
            << c.value << " base " << c.base;
    }
}

TEST(IntToText, CutsAtTheCapacity) {
    struct Case {
        std::size_t capacity;
        const char* expected;
    };
    const Case cases[] = {{7, "-12345"}, {4, "-12"}, {1, ""}};
    for (const Case& c : cases) {
        char output[8];
        std::memset(output, 'x', sizeof output);
        IntToText(-12345, output, c.capacity, 10);
        EXPECT_STREQ(output, c.expected) << c.capacity;
        EXPECT_EQ(output[c.capacity], 'x');
    }
    char untouched = 'x';
    IntToText(5, &untouched, 0, 10);
    EXPECT_EQ(untouched, 'x');
}

TEST(FloatToInt, TruncatesAndGivesIntMinOutsideTheRange) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    struct Case {
        float value;
        int expected;
    };
    const Case cases[] = {
        {1.9f, 1},
        {-1.9f, -1},
        {-0.5f, 0},
        {2147483520.0f, 2147483520},  // the largest float below 2^31
        {-2147483648.0f, INT_MIN},
        {2147483648.0f, INT_MIN},
        {-3e9f, INT_MIN},
        {nan, INT_MIN},
        {infinity, INT_MIN},
        {-infinity, INT_MIN},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FloatToInt(c.value), c.expected) << c.value;
    }
}

TEST(DoubleToInt, TruncatesAndGivesIntMinOutsideTheRange) {
    struct Case {
        double value;
        int expected;
    };
    const Case cases[] = {
        {2147483647.9, INT_MAX},
        {-2147483648.9, INT_MIN},
        {-7.99, -7},
        {2147483648.0, INT_MIN},
        {-2147483649.0, INT_MIN},
        {1e300, INT_MIN},
        {std::numeric_limits<double>::quiet_NaN(), INT_MIN},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DoubleToInt(c.value), c.expected) << c.value;
    }
    const Rect rect = RectFromDoubles(1.9, -1.9, 640.5, std::nan(""));
    EXPECT_EQ(rect.left, 1);
    EXPECT_EQ(rect.top, -1);
    EXPECT_EQ(rect.right, 640);
    EXPECT_EQ(rect.bottom, INT_MIN);
}

TEST(NumberRoutines, AbsoluteValuesAndRoots) {
    EXPECT_EQ(AbsInt(-5), 5);
    EXPECT_EQ(AbsInt(7), 7);
    EXPECT_EQ(AbsInt(INT_MIN), INT_MIN);
    EXPECT_EQ(AbsFloat(-2.5f), 2.5f);
    EXPECT_EQ(SqrtFloat(2.25f), 1.5f);
    EXPECT_TRUE(std::isnan(SqrtFloat(-1.0f)));
}

TEST(SinCos, RoundsDoubleResultsToFloat) {
    struct Case {
        float angle;
        float sine;
        float cosine;
    };
    const Case cases[] = {
        {0.0f, 0.0f, 1.0f},
        {1.5707963705062866f, 1.0f, -4.371139000186241e-08f},
        {3.1415927410125732f, -8.742278000372482e-08f, -1.0f},
    };
    for (const Case& c : cases) {
        float sine = 2.0f;
        float cosine = 2.0f;
        SinCos(c.angle, &sine, &cosine);
        EXPECT_EQ(sine, c.sine) << c.angle;
        EXPECT_EQ(cosine, c.cosine) << c.angle;
    }
}

}  // namespace
}  // namespace layer
