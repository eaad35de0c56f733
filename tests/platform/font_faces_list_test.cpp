// The face list and font files added by a game.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "platform/fonts/font_aliases.h"
#include "platform/fonts/font_config.h"
#include "platform/fonts/freetype_font.h"
#include "tests/support/fifo_in_place.h"
#include "tests/support/sjis.h"
#include "tests/support/temp_tree.h"

namespace {

using platform::InstalledFace;

const InstalledFace* Find(const std::vector<InstalledFace>& faces, const std::string& name) {
    const auto found = std::find_if(faces.begin(), faces.end(),
                                    [&](const InstalledFace& face) { return face.name == name; });
    return found == faces.end() ? nullptr : &*found;
}

TEST(FontFaceList, SystemNamesComeFirstAndEachFamilyOnce) {
    const std::vector<InstalledFace> faces = platform::ListInstalledFaces();
    ASSERT_FALSE(faces.empty());
    EXPECT_EQ(faces.front().name, test::Sjis(u8"ＭＳ ゴシック"));
    EXPECT_TRUE(faces.front().truetype);
    EXPECT_TRUE(faces.front().japanese);
    const InstalledFace* ipa = Find(faces, test::Sjis(u8"IPAゴシック"));
    ASSERT_NE(ipa, nullptr);
    EXPECT_TRUE(ipa->japanese);
    EXPECT_EQ(Find(faces, "IPAGothic"), nullptr);
    for (const InstalledFace& face : faces) {
        EXPECT_EQ(
            std::count_if(faces.begin(), faces.end(),
                          [&](const InstalledFace& other) { return other.name == face.name; }),
            1)
            << face.name;
        EXPECT_LE(face.name.size(), 63u);
    }
    EXPECT_EQ(platform::GetOemCodePage(), 932);
}

// A configuration without system fonts, so that only the game's files are there.
class AddedFontFiles : public testing::Test {
  protected:
    void SetUp() override {
        tree_.write("fonts.conf", "<?xml version=\"1.0\"?>\n<fontconfig><cachedir>" +
                                      tree_.path("cache").string() + "</cachedir></fontconfig>\n");
        setenv("FONTCONFIG_FILE", tree_.path("fonts.conf").c_str(), 1);
        platform::ReloadFontConfig();
        const std::optional<platform::FontFile> ipa = SystemGothic();
        ASSERT_TRUE(ipa.has_value());
        std::filesystem::create_directories(tree_.path("game/Data"));
        std::filesystem::copy_file(ipa->path, tree_.path("game/Data/Gothic.TTF"));
        // The system fonts are gone from the new configuration.
        ASSERT_EQ(Find(platform::ListInstalledFaces(), test::Sjis(u8"IPAゴシック")), nullptr);
    }
    void TearDown() override {
        unsetenv("FONTCONFIG_FILE");
        platform::ReloadFontConfig();
    }

    static std::optional<platform::FontFile> SystemGothic() {
        const char* saved = std::getenv("FONTCONFIG_FILE");
        const std::string conf = saved != nullptr ? saved : "";
        unsetenv("FONTCONFIG_FILE");
        platform::ReloadFontConfig();
        std::optional<platform::FontFile> file = platform::MatchFontFile("IPAGothic");
        setenv("FONTCONFIG_FILE", conf.c_str(), 1);
        platform::ReloadFontConfig();
        return file;
    }

    std::string GamePath() const { return tree_.path("game/Data/Gothic.TTF").string(); }

    test::TempTree tree_;
};

TEST_F(AddedFontFiles, AddedFileIsListedUsedAndGoneAfterRemoval) {
    ASSERT_EQ(platform::AddFontFile(GamePath()), 1);
    const std::vector<InstalledFace> faces = platform::ListInstalledFaces();
    const InstalledFace* added = Find(faces, test::Sjis(u8"IPAゴシック"));
    ASSERT_NE(added, nullptr);
    EXPECT_TRUE(added->truetype);
    EXPECT_TRUE(added->japanese);
    EXPECT_NE(Find(faces, test::Sjis(u8"ＭＳ ゴシック")), nullptr);

    const std::string name = test::Sjis(u8"IPAゴシック");
    platform::FontFace* face = platform::CreateFreeTypeFont({name.c_str(), 16, 400});
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(std::string(platform::AsFreeTypeFont(face)->face->family_name), "IPAGothic");
    platform::DeleteFreeTypeFont(face);

    EXPECT_EQ(platform::RemoveFontFile(GamePath()), 1);
    EXPECT_EQ(platform::RemoveFontFile(GamePath()), 0);
    const std::vector<InstalledFace> after = platform::ListInstalledFaces();
    EXPECT_EQ(Find(after, name), nullptr);
    EXPECT_EQ(Find(after, test::Sjis(u8"ＭＳ ゴシック")), nullptr);
}

TEST_F(AddedFontFiles, MissingFileIsNotAdded) {
    EXPECT_EQ(platform::AddFontFile(tree_.path("game/none.ttf").string()), 0);
    EXPECT_EQ(platform::RemoveFontFile(tree_.path("game/none.ttf").string()), 0);
}

// The font scan would wait on a FIFO for a writer; it is not offered one.
TEST_F(AddedFontFiles, AFifoOrAFolderIsNotAdded) {
    const test::FifoInPlace fifo(tree_.path("game/fifo.ttf"));
    ASSERT_TRUE(fifo.made());
    std::filesystem::create_directories(tree_.path("game/folder.ttf"));
    EXPECT_EQ(platform::AddFontFile(tree_.path("game/fifo.ttf").string()), 0);
    EXPECT_EQ(platform::AddFontFile(tree_.path("game/folder.ttf").string()), 0);
}

}  // namespace
