#include "layer/core/text_routines.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace layer {
namespace {

TEST(FindCharInText, SkipsBackslashSecondBytes) {
    // ソ 83 5C, 表 95 5C, 能 94 5C, 予 97 5C: the backslash found is the real one behind them.
    const char text[] = "\x83\x5C\x95\x5C\x94\x5C\x97\x5C\\x";
    const char* found = FindCharInText(text, '\\');
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found - text, 8);
    EXPECT_EQ(FindCharInText("\x83\x5C\x95\x5C\x94\x5C\x97\x5C", '\\'), nullptr);
}

TEST(FindCharInText, FindsOneByteCharacters) {
    struct Case {
        const char* text;
        char byte;
        int offset;  // -1 when absent
    };
    const Case cases[] = {
        {"abc", 'a', 0},
        {"abc", 'c', 2},
        {"abc", 'd', -1},
        {"", 'a', -1},
        {"\x82\x61"
         "a",
         'a', 2},
        {"\xB1x", 'x', 1},
        {"ab\x83", 'b', 1},
        {"a\x83", 'x', -1},  // a lead cut short by the terminator
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const char* found = FindCharInText(c.text, c.byte);
        EXPECT_EQ(found == nullptr ? -1 : static_cast<int>(found - c.text), c.offset);
    }
}

TEST(UpperCaseText, LeavesTwoByteCharactersAlone) {
    struct Case {
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"abc-XYZ09z", "ABC-XYZ09Z"},
        {"\x83\x72"
         "b",
         "\x83\x72"
         "B"},                     // ビ: its second byte 72 is 'r' and stays
        {"\x82\x81", "\x82\x81"},  // ａ
        {"x\x83", "X\x83"},
        {"", ""},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        UpperCaseText(text.data());
        EXPECT_EQ(text, c.expected);
    }
}

TEST(CopyTextN, CopiesAtMostNBytesAndTerminates) {
    struct Case {
        int n;
        const char* expected;
    };
    const Case cases[] = {{3, "abc"}, {6, "abcdef"}, {10, "abcdef"}, {0, ""}, {-1, ""}};
    for (const Case& c : cases) {
        char buffer[16];
        std::memset(buffer, 'x', sizeof buffer);
        CopyTextN(buffer, "abcdef", c.n);
        EXPECT_STREQ(buffer, c.expected) << c.n;
    }
}

TEST(TextRoutines, CopyAppendAndCompare) {
    char buffer[16];
    CopyText(buffer, "ab");
    AppendText(buffer,
               "\x95\x5C"
               "c");
    EXPECT_STREQ(buffer,
                 "ab\x95\x5C"
                 "c");

    EXPECT_EQ(TextDiffers("abc", "abc"), 0);
    EXPECT_NE(TextDiffers("abc", "abd"), 0);
    EXPECT_NE(TextDiffers("abc", "ab"), 0);

    EXPECT_EQ(LeadingBytesDiffer("abcX", "abcY", 3), 0);
    EXPECT_EQ(LeadingBytesDiffer("abcX", "abcY", 4), 1);
    // Terminators are compared like other bytes.
    EXPECT_EQ(LeadingBytesDiffer("a\0b", "a\0c", 3), 1);
    EXPECT_EQ(LeadingBytesDiffer("a", "b", 0), 0);
}

}  // namespace
}  // namespace layer
