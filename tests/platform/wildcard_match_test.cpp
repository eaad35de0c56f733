#include "platform/wildcard_match.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/sjis.h"

namespace {

using test::Sjis;

TEST(WildcardMatch, WindowsRules) {
    const struct {
        std::string pattern;
        std::string name;
        bool matches;
    } cases[] = {
        {"*.ttf", "A.TTF", true},
        {"*.ttf", "a.ttc", false},
        {"*.*", "README", true},
        {"*.*", "a.b.c", true},
        {"*", ".", true},
        {"*.*", "..", true},
        {"a.*", "a", true},
        {"a.*", "ab", false},
        {"icon???.png", "ICON001.PNG", true},
        {"icon???.png", "icon01.png", false},
        {"a*b", "aXbXb", true},
        {"a*b", "aXbX", false},
        {"*a*b*c", "xaybzc", true},
        {"*a*a*a*a*b", std::string(40, 'a'), false},
        {"x", "X", true},
        {"", "", true},
        {"", "a", false},
        {"?.txt", Sjis(u8"表.txt"), true},  // a two-byte character is one
        {"??.txt", Sjis(u8"表.txt"), false},
        {"*R", Sjis(u8"ビ"), false},   // 83 72: no letter 'r' inside
        {"*\\", Sjis(u8"表"), false},  // 95 5C: no separator inside
        {Sjis(u8"表*"), Sjis(u8"表示.txt"), true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::MatchFileWildcard(c.pattern, c.name), c.matches)
            << c.pattern << " / " << c.name;
    }
}

}  // namespace
