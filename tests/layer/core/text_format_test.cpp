#include "layer/core/text_format.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace layer {
namespace {

int FormatThroughList(char* buffer, std::size_t capacity, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const int result = FormatTextV(buffer, capacity, format, arguments);
    va_end(arguments);
    return result;
}

TEST(FormatText, FormatsLikePrintf) {
    char buffer[32];
    EXPECT_EQ(FormatText(buffer, sizeof buffer, "%d:%s %.2f", 12, "\x95\x5C", 1.5), 0);
    EXPECT_STREQ(buffer, "12:\x95\x5C 1.50");
    EXPECT_EQ(FormatThroughList(buffer, sizeof buffer, "%05x", 255), 5);
    EXPECT_STREQ(buffer, "000ff");
}

TEST(FormatText, CutsAtACharacterBoundary) {
    struct Case {
        const char* text;
        std::size_t capacity;
        const char* expected;
    };
    const Case cases[] = {
        {"ab\x95\x5C", 5, "ab\x95\x5C"},
        {"ab\x95\x5C", 4, "ab"},  // 表 would lose its second byte
        {"abc\x95\x5C", 4, "abc"},
        {"\x83\x5C\x83\x5C", 4, "\x83\x5C"},
        {"abcdef", 4, "abc"},
        {"abc", 1, ""},
    };
    for (const Case& c : cases) {
        char buffer[8];
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(FormatThroughList(buffer, c.capacity, "%s", c.text),
                  static_cast<int>(std::strlen(c.expected)));
        EXPECT_STREQ(buffer, c.expected) << c.capacity;
        EXPECT_EQ(buffer[c.capacity], 'x');
    }
}

TEST(FormatText, LongTextsStayInsideTheBuffer) {
    const std::string long_text(3000, 'y');
    char buffer[1025];
    buffer[1024] = 'x';
    FormatText(buffer, 1024, "%s", long_text.c_str());
    EXPECT_EQ(std::string(buffer), long_text.substr(0, 1023));
    EXPECT_EQ(buffer[1024], 'x');

    char untouched = 'x';
    EXPECT_EQ(FormatThroughList(&untouched, 0, "%s", "abc"), 0);
    EXPECT_EQ(untouched, 'x');
}

}  // namespace
}  // namespace layer
