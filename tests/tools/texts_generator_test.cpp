#include <gtest/gtest.h>

#include <iterator>
#include <string_view>
#include <type_traits>

#include "tests/tools/known_bytes_texts.h"

namespace {

using namespace std::string_view_literals;

TEST(TextsGeneratorTest, ConvertsToTheKnownCp932Bytes) {
    struct Case {
        const char* name;
        std::string_view generated;
        std::string_view expected;
    };
    const Case cases[] = {
        {"half-width katakana", test::kHalfWidthKatakana, "\xBD\xB7\xAF\xCC\xDFx2"sv},
        {"wave dash", test::kWaveDash,
         "0\x81\x60"
         "3"sv},
        {"full-width tilde", test::kFullWidthTilde, "\x81\x60"sv},
        {"5C trail byte of a kanji", test::kTableTrailByte, "\x95\x5C"sv},
        {"5C trail byte of a katakana", test::kSoTrailByte, "\x83\x5C"sv},
        {"full-width space", test::kFullWidthSpace, "F4 \x81\x40"sv},
        {"escapes", test::kEscapes, "a\\b\"c\n\r\t%d"sv},
        {"raw bytes", test::kRawByte, "\x81\x40"sv},
        {"array text", test::kArrayText, "\x95\x5C\x8E\xA6"sv},
        {"list text", test::kList[0], "\x8D\x82"sv},
        {"list text of one byte", test::kList[1], "\xBD"sv},
        {"empty list text", test::kList[2], ""sv},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.generated, c.expected) << c.name;
    }
}

TEST(TextsGeneratorTest, KeepsTheDeclaredShapes) {
    static_assert(std::is_same_v<decltype(test::kWaveDash), const char* const>);
    static_assert(sizeof(test::kArrayText) == 5);
    static_assert(std::size(test::kList) == 3);
}

}  // namespace
