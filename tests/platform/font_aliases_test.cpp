#include "platform/fonts/font_aliases.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/fonts/freetype_font.h"
#include "tests/support/sjis.h"

namespace {

struct AliasCase {
    std::string name;
    std::string family;
};

const AliasCase kAliasCases[] = {
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

TEST(FontAliases, SystemFaceNamesMatchIpaFamilies) {
    for (const AliasCase& alias : kAliasCases) {
        const std::optional<platform::FontFile> font = platform::MatchFontFile(alias.name);
        ASSERT_TRUE(font.has_value()) << alias.family;
        EXPECT_EQ(font->family, alias.family);
        EXPECT_FALSE(font->path.empty());
    }
}

TEST(FontAliases, FontsMadeUnderSystemNamesOpenIpaFaces) {
    for (const AliasCase& alias : kAliasCases) {
        platform::FontFace* face = platform::CreateFreeTypeFont({alias.name.c_str(), 16, 400});
        ASSERT_NE(face, nullptr) << alias.family;
        EXPECT_EQ(std::string(platform::AsFreeTypeFont(face)->face->family_name), alias.family);
        platform::DeleteFreeTypeFont(face);
    }
}

TEST(FontAliases, NameThatIsNotCp932FindsNothing) {
    EXPECT_EQ(platform::MatchFontFile("MS \x80 Gothic"), std::nullopt);
}

TEST(FontAliases, AliasFileReadsNameAndStandInsInOrder) {
    const std::vector<platform::FontAlias> aliases = platform::ParseFontAliases(
        "<fontconfig><alias binding=\"strong\"><family>A</family><prefer><family>B</family>"
        "<family>C</family></prefer></alias><alias><family>D</family></alias></fontconfig>");
    ASSERT_EQ(aliases.size(), 1u);
    EXPECT_EQ(aliases[0].name, "A");
    EXPECT_EQ(aliases[0].substitutes, (std::vector<std::string>{"B", "C"}));
}

}  // namespace
