#include "platform/text_encoding.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace {

struct RoundTrip {
    std::string cp932;
    std::string utf8;
};

// Test names show the CP932 bytes in hex.
void PrintTo(const RoundTrip& pair, std::ostream* out) {
    if (pair.cp932.empty())
        *out << "empty";
    for (const char byte : pair.cp932) {
        *out << std::hex << std::uppercase << (static_cast<unsigned char>(byte) >> 4)
             << (static_cast<unsigned char>(byte) & 0xF);
    }
}

class TextEncodingRoundTrip : public testing::TestWithParam<RoundTrip> {};

TEST_P(TextEncodingRoundTrip, ConvertsBothWaysStrictAndLenient) {
    const RoundTrip& pair = GetParam();
    EXPECT_EQ(platform::Cp932ToUtf8Strict(pair.cp932), pair.utf8);
    EXPECT_EQ(platform::Utf8ToCp932Strict(pair.utf8), pair.cp932);
    EXPECT_EQ(platform::Cp932ToUtf8(pair.cp932), pair.utf8);
    EXPECT_EQ(platform::Utf8ToCp932(pair.utf8), pair.cp932);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, TextEncodingRoundTrip,
    testing::Values(RoundTrip{"\x87\x40", "\xE2\x91\xA0"},          // ① U+2460
                    RoundTrip{"\x5C", "\x5C"},                      // backslash, not yen
                    RoundTrip{"\x7E", "\x7E"},                      // tilde, not overline
                    RoundTrip{"\x81\x60", "\xEF\xBD\x9E"},          // wave dash U+FF5E
                    RoundTrip{"\x95\x5C\x5C", "\xE8\xA1\xA8\x5C"},  // 表 then a separator
                    RoundTrip{"\xB1", "\xEF\xBD\xB1"},              // half-width ｱ
                    RoundTrip{std::string("a\0b", 3), std::string("a\0b", 3)}, RoundTrip{"", ""}),
    [](const auto& info) { return testing::PrintToString(info.param); });

using Substitution = RoundTrip;

class Cp932Substitution : public testing::TestWithParam<Substitution> {};

TEST_P(Cp932Substitution, LenientSubstitutesStrictFails) {
    EXPECT_EQ(platform::Cp932ToUtf8(GetParam().cp932), GetParam().utf8);
    EXPECT_EQ(platform::Cp932ToUtf8Strict(GetParam().cp932), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    BadBytes, Cp932Substitution,
    testing::Values(Substitution{"a\x81", "a\xEF\xBF\xBD"},    // lone lead at the end
                    Substitution{"\x81 b", "\xEF\xBF\xBD b"},  // lead without a trail
                    Substitution{"\x80z", "\xEF\xBF\xBDz"}, Substitution{"\xA0z", "\xEF\xBF\xBDz"},
                    Substitution{"\xFDz", "\xEF\xBF\xBDz"},
                    Substitution{"\x85\x40z", "\xEF\xBF\xBDz"},  // unassigned pair
                    Substitution{"\x80\x87\x40\xFD", "\xEF\xBF\xBD\xE2\x91\xA0\xEF\xBF\xBD"}),
    [](const auto& info) { return testing::PrintToString(info.param); });

TEST(TextEncoding, Utf8ThatCp932LacksBecomesQuestionMark) {
    // U+00E9, a 4-byte emoji, a stray continuation byte, a truncated 3-byte sequence.
    const std::string utf8 =
        "a\xC3\xA9"
        "b\xF0\x9F\x98\x80"
        "c\x80"
        "d\xE3\x81";
    EXPECT_EQ(platform::Utf8ToCp932(utf8), "a?b?c?d?");
    EXPECT_EQ(platform::Utf8ToCp932Strict(utf8), std::nullopt);
}

TEST(TextEncoding, NecAndIbmDuplicatesShareOneCharacter) {
    // ED40 (NEC-selected IBM) and FA5C (IBM) are the same character; UTF-8 goes back to FA5C.
    EXPECT_EQ(platform::Cp932ToUtf8("\xED\x40"), platform::Cp932ToUtf8("\xFA\x5C"));
    EXPECT_EQ(platform::Utf8ToCp932(platform::Cp932ToUtf8("\xED\x40")), "\xFA\x5C");
}

TEST(TextEncoding, LongTextConvertsWhole) {
    std::string cp932;
    std::string utf8;
    for (int i = 0; i < 5000; ++i) {
        cp932 += "\x82\xA0x";  // あx
        utf8 += "\xE3\x81\x82x";
    }
    EXPECT_EQ(platform::Cp932ToUtf8(cp932), utf8);
    EXPECT_EQ(platform::Utf8ToCp932(utf8), cp932);
}

TEST(TextEncoding, ThreadsConvertAtOnce) {
    std::vector<std::thread> threads;
    std::vector<int> mismatches(4, 0);
    for (int& count : mismatches) {
        threads.emplace_back([&count] {
            for (int i = 0; i < 2000; ++i) {
                if (platform::Cp932ToUtf8("\x87\x40\x80") != "\xE2\x91\xA0\xEF\xBF\xBD")
                    ++count;
                if (platform::Utf8ToCp932("\xE8\xA1\xA8") != "\x95\x5C")
                    ++count;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(mismatches, std::vector<int>(4, 0));
}

}  // namespace
