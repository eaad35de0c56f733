#include "platform/display_name.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/sjis.h"

namespace {

using test::Sjis;

TEST(DisplayName, ShowsUtf8AsCp932AndEscapesTheRest) {
    const struct {
        std::string disk;
        std::string shown;
    } cases[] = {
        {"Game.dat", "Game.dat"},
        {"ソ表能予", Sjis(u8"ソ表能予")},
        {"纊", "\xFA\x5C"},                      // U+7E8A: CP932's own form of ED40
        {"snow☃", "snow&#x2603;"},               // not in CP932
        {"〜", "&#x301C;"},                      // would come back as U+FF5E
        {"¥", "&#x00A5;"},                       // would come back as the separator
        {"a\\b", "a&#x005C;b"},                  // the game's separator
        {"\xF0\x9F\x98\x80", "&#x1F600;"},       // beyond the first plane
        {"raw\x83\x5C\xFF", "raw\x83\x5C\xFF"},  // not UTF-8: raw bytes
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::DisplayName(c.disk), c.shown) << c.disk;
    }
}

TEST(DisplayName, ShownUtf8NamesConvertBack) {
    for (const char* name : {"Game.dat", "ソ表能予.txt", "纊", "snow☃", "〜¥", "a\\b", "😀x"}) {
        EXPECT_EQ(platform::GameNameToUtf8(platform::DisplayName(name)), name) << name;
    }
}

TEST(DisplayName, GameNamesToUtf8) {
    const struct {
        std::string game;
        std::optional<std::string> utf8;
    } cases[] = {
        {"\xED\x40", "纊"},  // NEC-selected form of the same character
        {"&#x2603;&#x2603;", "☃☃"},
        {"&#x2f;", "&#x2f;"},  // never a separator
        {"&#x;x", "&#x;x"},
        {"&#x110000;", "&#x110000;"},
        {"&#xD800;", "&#xD800;"},
        {"&#x0041", "&#x0041"},
        {"&#x2E;", std::nullopt},        // "."
        {"&#x2E;&#x2E;", std::nullopt},  // ".."
        {"a\x83", std::nullopt},         // a lone lead byte
        {"\xA0", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::GameNameToUtf8(c.game), c.utf8) << c.game;
    }
}

}  // namespace
