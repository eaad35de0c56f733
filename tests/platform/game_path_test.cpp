#include "platform/game_path.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "platform/display_name.h"
#include "tests/platform/game_tree.h"
#include "tests/support/sjis.h"
#include "tests/support/temp_tree.h"

namespace {

using test::GamePathIn;
using test::Sjis;

std::optional<std::string> Resolve(const test::TempTree& tree, std::string_view relative) {
    return platform::ResolveGamePath(GamePathIn(tree, relative));
}

// Sets a folder's modification time an hour back, so its listing is trusted once read.
void AgeFolder(const std::filesystem::path& folder) {
    const timespec times[2] = {{time(nullptr) - 3600, 0}, {time(nullptr) - 3600, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, folder.c_str(), times, 0), 0);
}

TEST(GamePath, FindsFileWhateverTheCaseAndSeparators) {
    test::TempTree tree;
    const std::string disk = tree.write("data/BASICDATA/X.DAT", "x").string();
    for (const char* path : {"Data\\BasicData\\x.dat", "data/basicdata/X.DAT",
                             "Data\\\\BasicData//x.dat", ".\\Data\\.\\BasicData\\x.dat",
                             "Data\\Missing\\..\\BasicData\\x.dat", "Data\\BasicData\\x.dat\\"}) {
        EXPECT_EQ(Resolve(tree, path), disk) << path;
    }
}

TEST(GamePath, RelativePathsStartAtTheCurrentFolder) {
    test::TempTree tree;
    const std::string top = tree.write("top.txt", "t").string();
    tree.write("Data/BasicData/x.dat", "x");
    const std::string saved = platform::CurrentDiskFolder();
    platform::SetCurrentDiskFolder(tree.path("Data/BasicData").string());
    EXPECT_EQ(platform::ResolveGamePath("..\\..\\TOP.txt"), top);
    EXPECT_EQ(platform::ResolveGamePath("X.dat"), tree.path("Data/BasicData/x.dat").string());
    EXPECT_EQ(platform::ResolveGamePath("."), tree.path("Data/BasicData").string());
    platform::SetCurrentDiskFolder(saved);
}

TEST(GamePath, RootAndDotDotAboveIt) {
    EXPECT_EQ(platform::ResolveGamePath("\\"), "/");
    EXPECT_EQ(platform::ResolveGamePath("/..\\..\\tmp"), "/tmp");
}

TEST(GamePath, JapaneseNamesInUtf8OrRawShiftJisOnDisk) {
    test::TempTree tree;
    const std::string utf8 = tree.write("表示/ソース.txt", "u").string();
    EXPECT_EQ(Resolve(tree, Sjis(u8"表示\\ソース.txt")), utf8);

    // Raw names whose second bytes are 0x5C must not be split there.
    const std::string raw_name = Sjis(u8"ソ表能予");
    const std::string raw = tree.write(raw_name + "/Data/" + raw_name + ".txt", "r").string();
    EXPECT_EQ(Resolve(tree, raw_name + "\\data\\" + raw_name + ".TXT"), raw);
}

TEST(GamePath, FoldingLeavesSecondBytesAlone) {
    test::TempTree tree;
    tree.write(Sjis(u8"ビ"), "");               // 83 72: the 72 is no letter 'r'
    EXPECT_FALSE(Resolve(tree, Sjis(u8"サ")));  // 83 52
    EXPECT_TRUE(Resolve(tree, Sjis(u8"ビ")));
}

TEST(GamePath, ShownNamesResolveBack) {
    test::TempTree tree;
    for (const char* name :
         {"snow☃.txt", "wave〜", "yen¥", "back\\slash", "\xF0\x9F\x98\x80", "raw\x83\x5C\xFF"}) {
        const std::string disk = tree.write(name, name).string();
        EXPECT_EQ(Resolve(tree, platform::DisplayName(name)), disk) << name;
    }
}

TEST(GamePath, FileAddedLaterIsFound) {
    test::TempTree tree;
    tree.write("Saves/a.txt", "a");
    AgeFolder(tree.path("Saves"));
    ASSERT_TRUE(Resolve(tree, "saves\\A.TXT"));
    EXPECT_FALSE(Resolve(tree, "saves\\B.TXT"));
    const std::string added = tree.write("Saves/b.txt", "b").string();
    EXPECT_EQ(Resolve(tree, "saves\\B.TXT"), added);
}

TEST(GamePath, RefusesWhatNamesNothing) {
    test::TempTree tree;
    tree.write("Data/x.dat", "x");
    for (const std::string& path :
         {std::string(), std::string("Data\\x.dat\\y"), std::string("Data\\nothing"),
          std::string("Data\\x.dat\0", 11), std::string("Data&#x2F;x.dat")}) {
        EXPECT_FALSE(path.empty() ? platform::ResolveGamePath(path) : Resolve(tree, path)) << path;
    }
}

TEST(GamePath, ForCreateReusesExistingNamesAndConvertsNewOnes) {
    test::TempTree tree;
    const std::string existing = tree.write("Save/SAVE01.sav", "s").string();
    EXPECT_EQ(platform::ResolveGamePathForCreate(GamePathIn(tree, "save\\Save01.SAV")), existing);
    EXPECT_EQ(platform::ResolveGamePathForCreate(GamePathIn(tree, "save\\" + Sjis(u8"表.sav"))),
              tree.path("Save/表.sav").string());
    EXPECT_EQ(platform::ResolveGamePathForCreate(GamePathIn(tree, "save\\\x83")),
              tree.path("Save/\x83").string());
    EXPECT_FALSE(platform::ResolveGamePathForCreate(GamePathIn(tree, "missing\\a.sav")));
    EXPECT_FALSE(platform::ResolveGamePathForCreate("."));
    EXPECT_FALSE(platform::ResolveGamePathForCreate("\\"));
}

TEST(GamePath, DiskPathsInGameForm) {
    EXPECT_EQ(platform::DiskPathToGamePath("/"), "\\");
    EXPECT_EQ(platform::DiskPathToGamePath("/tmp/a"), "\\tmp\\a");
    EXPECT_EQ(platform::DiskPathToGamePath("/a/表"), "\\a\\" + Sjis(u8"表"));
}

}  // namespace
