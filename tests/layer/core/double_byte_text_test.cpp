#include "layer/core/double_byte_text.h"

#include <gtest/gtest.h>

#include <string>

namespace layer {
namespace {

TEST(IsDoubleByteLead, FollowsTheCharsetsRule) {
    struct Case {
        unsigned char byte;
        int shift_jis;
        int hangul;
    };
    const Case cases[] = {
        {0x41, 0, 0}, {0x7F, 0, 0}, {0x80, 0, 1}, {0x81, 1, 1}, {0x9F, 1, 1},
        {0xA0, 0, 1}, {0xDF, 0, 1}, {0xE0, 1, 1}, {0xFC, 1, 1}, {0xFD, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.byte));
        EXPECT_EQ(IsDoubleByteLead(c.byte, kShiftJisCharset), c.shift_jis);
        EXPECT_EQ(IsDoubleByteLead(c.byte, 0), c.shift_jis);
        EXPECT_EQ(IsDoubleByteLead(c.byte, kHangulCharset), c.hangul);
    }
}

TEST(TrimToCharBoundary, NeverKeepsALeadWithoutItsSecondByte) {
    struct Case {
        std::string text;
        std::size_t length;
        std::size_t expected;
    };
    const Case cases[] = {
        {"abc", 3, 3},
        {"abc", 2, 2},
        {"a\x95\x5C", 3, 3},  // a表 whole
        {"a\x95\x5C", 2, 1},  // the lead of 表 cut off
        {"\x83\x5C\x83\x5C", 3, 2},
        {"\xB1\xB2", 1, 1},  // half-width kana are one byte
        {"", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TrimToCharBoundary(c.text.c_str(), c.length), c.expected);
    }
}

}  // namespace
}  // namespace layer
