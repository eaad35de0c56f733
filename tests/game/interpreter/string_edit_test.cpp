#include <gtest/gtest.h>

#include "game/interpreter/string_edit.h"
#include "tests/support/sjis.h"

namespace game {
namespace {

TEST(StringEdit, RemovesOneByteAndLongerParts) {
    EXPECT_EQ(RemoveOccurrences("aab", "a"), "b");
    EXPECT_EQ(RemoveOccurrences("aabb", "ab"), "");
    EXPECT_EQ(RemoveOccurrences("abc", ""), "abc");
}

TEST(StringEdit, AOneBytePartIsNeverTheSecondByteOfACharacter) {
    const std::string table = test::Sjis(u8"表");  // 0x95 0x5C
    EXPECT_EQ(RemoveOccurrences(table + "\\x\\", "\\"), table + "x");
    EXPECT_EQ(ReplaceOccurrences(table + "\\", "\\", "/"), table + "/");
}

TEST(StringEdit, ReplacementGoesOnAfterWhatItInserted) {
    EXPECT_EQ(ReplaceOccurrences("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(ReplaceOccurrences("abab", "ab", "abab"), "abababab");
    EXPECT_EQ(ReplaceOccurrences("abc", "", "x"), "abc");
}

TEST(StringEdit, FirstLineAndItsRest) {
    EXPECT_EQ(FirstLineOf("x\r\ny"), "x");
    EXPECT_EQ(AfterFirstLine("x\r\ny"), "y");
    EXPECT_EQ(FirstLineOf("a\rb"), "ab");
    EXPECT_EQ(AfterFirstLine("single"), "");
}

TEST(StringEdit, FirstCharacterTakesBothBytesOfATwoByteCharacter) {
    EXPECT_EQ(FirstCharacterLength(test::Sjis(u8"表x")), 2u);
    EXPECT_EQ(FirstCharacterLength("xy"), 1u);
    EXPECT_EQ(FirstCharacterLength(""), 0u);
    EXPECT_EQ(FirstCharacterLength("\x95"), 1u);
}

}  // namespace
}  // namespace game
