#include "platform/fonts/font_aliases.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/sjis.h"

namespace {

class FontAliases : public testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_EQ(platform::LoadJapaneseFontAliases(), 0); }
};

TEST_F(FontAliases, SystemFaceNamesMatchIpaFamilies) {
    const std::pair<std::string, std::string> cases[] = {
        {test::Sjis(u8"ＭＳ ゴシック"), "IPAGothic"},
        {"MS Gothic", "IPAGothic"},
        {test::Sjis(u8"ＭＳ Ｐゴシック"), "IPAPGothic"},
        {"MS PGothic", "IPAPGothic"},
        {"MS UI Gothic", "IPAPGothic"},
        {test::Sjis(u8"ＭＳ 明朝"), "IPAMincho"},
        {"MS Mincho", "IPAMincho"},
        {test::Sjis(u8"ＭＳ Ｐ明朝"), "IPAPMincho"},
        {"MS PMincho", "IPAPMincho"},
    };
    for (const auto& [name, family] : cases) {
        const std::optional<platform::FontFile> font = platform::MatchFontFile(name);
        ASSERT_TRUE(font.has_value()) << family;
        EXPECT_EQ(font->family, family);
        EXPECT_FALSE(font->path.empty());
    }
}

TEST_F(FontAliases, NameThatIsNotCp932FindsNothing) {
    EXPECT_EQ(platform::MatchFontFile("MS \x80 Gothic"), std::nullopt);
}

}  // namespace
