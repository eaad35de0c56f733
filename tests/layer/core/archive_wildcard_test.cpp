#include <gtest/gtest.h>

#include "layer/core/archive_search.h"
#include "layer/core/match_wildcard.h"
#include "tests/support/joined.h"
#include "tests/support/sjis.h"

namespace layer {
namespace {

struct WildcardCase {
    std::string pattern;
    std::string name;
    bool matches;
    friend void PrintTo(const WildcardCase& c, std::ostream* os) {
        *os << c.pattern << " / " << c.name;
    }
};

class MatchWildcardCases : public testing::TestWithParam<WildcardCase> {};

TEST_P(MatchWildcardCases, MatchWithoutBacktracking) {
    const WildcardCase& c = GetParam();
    EXPECT_EQ(MatchWildcard(c.pattern, c.name), c.matches) << c.pattern << " / " << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, MatchWildcardCases,
    testing::Values(WildcardCase{"*.DAT", "X.DAT", true}, WildcardCase{"*.DAT", "X.DATA", false},
                    WildcardCase{"A*", "A", false}, WildcardCase{"A*", "AB", true},
                    WildcardCase{"A?", "A", false}, WildcardCase{"A?", "AB", true},
                    WildcardCase{"*", "", true}, WildcardCase{"*", ".", true},
                    WildcardCase{"", "", true}, WildcardCase{"", "A", false},
                    WildcardCase{"X.DAT", "X.DAT", true}, WildcardCase{"X.DAT", "X.DA", false},
                    WildcardCase{"*A.DAT", "BA.A.DAT", false},
                    WildcardCase{"**.DAT", "X.DAT", true},
                    WildcardCase{test::Joined({"*", test::Sjis(u8"表")}),
                                 test::Joined({"A", test::Sjis(u8"ソ表")}), true},
                    WildcardCase{"*\\", test::Sjis(u8"表"), false},
                    WildcardCase{test::Sjis(u8"表") + "?", test::Sjis(u8"表") + "A", true}));

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
