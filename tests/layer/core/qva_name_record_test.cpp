#include <gtest/gtest.h>

#include "layer/core/qva_name_record.h"
#include "tests/support/case_name.h"
#include "tests/support/sjis.h"

namespace layer {
namespace {

struct NameCase {
    const char* what;
    std::string path;
    int length;
    std::string words;
    std::uint16_t check;
    friend void PrintTo(const NameCase& c, std::ostream* os) { *os << c.what; }
};

class BuildNameRecordCases : public testing::TestWithParam<NameCase> {};

TEST_P(BuildNameRecordCases, GiveTheLookUpForm) {
    const NameCase& c = GetParam();
    NameRecord record;
    EXPECT_EQ(BuildNameRecord(c.path, &record), c.length);
    EXPECT_EQ(record.words, c.words);
    EXPECT_EQ(record.word_count, c.words.size() / 4);
    EXPECT_EQ(record.check, c.check);
}

INSTANTIATE_TEST_SUITE_P(
    Names, BuildNameRecordCases,
    testing::Values(NameCase{"letters upper-cased", "ab.c", 4, std::string("AB.C\0\0\0\0", 8),
                             'A' + 'B' + '.' + 'C'},
                    NameCase{"short name, one word", "x", 1, std::string("X\0\0\0", 4), 'X'},
                    NameCase{"ends at a separator", "dir\\file", 3, std::string("DIR\0", 4),
                             'D' + 'I' + 'R'},
                    NameCase{"ends at a slash", "d/f", 1, std::string("D\0\0\0", 4), 'D'},
                    NameCase{"second byte in a-z kept", test::Sjis(u8"ビ") + "b", 3,
                             std::string("\x83\x72"
                                         "B\0",
                                         4),
                             0x83 + 0x72 + 'B'},
                    NameCase{"0x5C second byte is no separator", test::Sjis(u8"表") + "\\x", 2,
                             std::string("\x95\x5C\0\0", 4), 0x95 + 0x5C},
                    NameCase{"empty", "", 0, std::string(4, '\0'), 0}),
    [](const auto& info) { return test::CaseName(info.param.what); });

TEST(BuildNameRecord, SumsEveryByteModulo65536) {
    NameRecord record;
    const std::string name(300, '\xFC');
    ASSERT_EQ(BuildNameRecord(name + "A", &record), 301);
    EXPECT_EQ(record.check, (300 * 0xFC + 'A') % 65536);
}

}  // namespace
}  // namespace layer
