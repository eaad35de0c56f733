#include "platform/directory_search.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "tests/platform/game_tree.h"
#include "tests/support/sjis.h"
#include "tests/support/temp_tree.h"

namespace {

using test::GamePathIn;
using test::Sjis;

std::vector<std::string> Names(const std::vector<platform::DirectoryEntry>& entries) {
    std::vector<std::string> names;
    for (const auto& entry : entries)
        names.push_back(entry.name);
    return names;
}

TEST(DirectorySearch, MatchesSortsAndDescribes) {
    test::TempTree tree;
    tree.write("Fonts/b.ttf", "bb");
    tree.write("Fonts/A.TTF", "aaa");
    tree.write("Fonts/c.otf", "c");
    tree.write("Fonts/Sub/x", "");

    const auto fonts = platform::SearchDirectory(GamePathIn(tree, "fonts\\*.ttf"));
    ASSERT_TRUE(fonts);
    EXPECT_EQ(Names(*fonts), (std::vector<std::string>{"A.TTF", "b.ttf"}));
    EXPECT_EQ((*fonts)[0].size, 3);
    EXPECT_FALSE((*fonts)[0].is_folder);
    EXPECT_NEAR(static_cast<double>((*fonts)[0].modified_unix_seconds),
                static_cast<double>(std::time(nullptr)), 60.0);

    const auto all = platform::SearchDirectory(GamePathIn(tree, "FONTS\\*.*"));
    ASSERT_TRUE(all);
    EXPECT_EQ(Names(*all), (std::vector<std::string>{".", "..", "A.TTF", "b.ttf", "c.otf", "Sub"}));
    EXPECT_TRUE((*all)[0].is_folder);
    EXPECT_TRUE((*all)[1].is_folder);
    EXPECT_TRUE((*all)[5].is_folder);
    EXPECT_EQ((*all)[5].size, 0);
}

TEST(DirectorySearch, JapaneseNamesListBackByteExactAndOpen) {
    test::TempTree tree;
    const std::string folder = Sjis(u8"表");  // 95 5C: the 5C is no separator
    tree.write("表/ソ表能予.txt", "utf8");
    tree.write("表/" + Sjis(u8"予定.txt"), "raw");

    const auto found = platform::SearchDirectory(GamePathIn(tree, folder + "\\*.txt"));
    ASSERT_TRUE(found);
    EXPECT_EQ(Names(*found),
              (std::vector<std::string>{Sjis(u8"ソ表能予.txt"), Sjis(u8"予定.txt")}));
    for (const auto& entry : *found) {
        std::optional<platform::File> file =
            platform::OpenFileForRead(GamePathIn(tree, folder + "\\" + entry.name));
        ASSERT_TRUE(file) << entry.name;
        EXPECT_EQ(file->Size(), entry.size);
    }
}

TEST(DirectorySearch, MissingFolderEmptyPatternAndNoMatch) {
    test::TempTree tree;
    tree.write("Data/a.txt", "");
    EXPECT_FALSE(platform::SearchDirectory(GamePathIn(tree, "Missing\\*")));
    EXPECT_FALSE(platform::SearchDirectory(GamePathIn(tree, "Data\\")));
    const auto none = platform::SearchDirectory(GamePathIn(tree, "Data\\*.png"));
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->empty());
}

TEST(DirectorySearch, BarePatternSearchesTheCurrentFolder) {
    test::TempTree tree;
    tree.write("Game.dat", "");
    const std::string saved = platform::GetCurrentFolder();
    ASSERT_TRUE(platform::SetCurrentFolder(GamePathIn(tree, ".")));
    const auto found = platform::SearchDirectory("game.*");
    ASSERT_TRUE(found);
    EXPECT_EQ(Names(*found), std::vector<std::string>{"Game.dat"});
    ASSERT_TRUE(platform::SetCurrentFolder(saved));
}

}  // namespace
