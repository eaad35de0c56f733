#include <gtest/gtest.h>

#include "layer/core/archive_search.h"
#include "layer/core/match_wildcard.h"
#include "tests/support/case_name.h"
#include "tests/support/joined.h"
#include "tests/support/sjis.h"

namespace layer {
namespace {

struct WildcardCase {
    const char* what;
    std::string pattern;
    std::string name;
    bool matches;
    // Printed as its label: a name ending in a 0x5C trail byte would end the listed line with a
    // backslash, and the test discovery would join the next case onto that line and lose it.
    friend void PrintTo(const WildcardCase& c, std::ostream* os) { *os << c.what; }
};

class MatchWildcardCases : public testing::TestWithParam<WildcardCase> {};

TEST_P(MatchWildcardCases, MatchWithoutBacktracking) {
    const WildcardCase& c = GetParam();
    EXPECT_EQ(MatchWildcard(c.pattern, c.name), c.matches) << c.pattern << " / " << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, MatchWildcardCases,
    testing::Values(WildcardCase{"star then extension", "*.DAT", "X.DAT", true},
                    WildcardCase{"extension not at the end", "*.DAT", "X.DATA", false},
                    WildcardCase{"trailing star past the end", "A*", "A", false},
                    WildcardCase{"trailing star takes the rest", "A*", "AB", true},
                    WildcardCase{"question mark past the end", "A?", "A", false},
                    WildcardCase{"question mark takes one byte", "A?", "AB", true},
                    WildcardCase{"star on an empty name", "*", "", true},
                    WildcardCase{"star on a dot", "*", ".", true},
                    WildcardCase{"empty pattern on an empty name", "", "", true},
                    WildcardCase{"empty pattern on a name", "", "A", false},
                    WildcardCase{"exact name", "X.DAT", "X.DAT", true},
                    WildcardCase{"exact name on a shorter one", "X.DAT", "X.DA", false},
                    WildcardCase{"star stops at the first match", "*A.DAT", "BA.A.DAT", false},
                    WildcardCase{"double star", "**.DAT", "X.DAT", true},
                    WildcardCase{"star steps over a two-byte character",
                                 test::Joined({"*", test::Sjis(u8"表")}),
                                 test::Joined({"A", test::Sjis(u8"ソ表")}), true},
                    WildcardCase{"backslash not found in a trail byte", "*\\", test::Sjis(u8"表"),
                                 false},
                    WildcardCase{"question mark after a two-byte character",
                                 test::Sjis(u8"表") + "?", test::Sjis(u8"表") + "A", true}),
    [](const auto& info) { return test::CaseName(info.param.what); });

TEST(SplitPathName, SplitsAtTheLastSeparatorOrColon) {
    using Split = std::pair<std::string_view, std::string_view>;
    EXPECT_EQ(SplitPathName("A\\B/C*.X"), (Split{"A\\B", "C*.X"}));
    EXPECT_EQ(SplitPathName("C:*.X"), (Split{"C", "*.X"}));
    EXPECT_EQ(SplitPathName("*.X"), (Split{"", "*.X"}));
    const std::string hyou = test::Sjis(u8"表");
    EXPECT_EQ(SplitPathName(hyou + "*"), (Split{"", hyou + "*"})) << "a 0x5C second byte";
}

}  // namespace
}  // namespace layer
