#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "layer/core/layer_api.h"
#include "platform/file_hooks.h"
#include "platform/file_system.h"
#include "tests/support/sjis.h"
#include "tests/support/temp_tree.h"

namespace {

class SystemServicesTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(platform::SetCurrentFolder(tree.root().string())); }
    void TearDown() override {
        platform::FailNextOpens(0);
        platform::FailNextWrites(0);
        platform::FailNextFlushes(0);
        platform::FailNextRenames(0);
        platform::SetFreeBytesForTests(-1);
    }

    std::vector<std::string> NamesIn(const char* folder) const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(tree.path(folder)))
            names.push_back(entry.path().filename().string());
        return names;
    }

    test::TempTree tree;
};

TEST_F(SystemServicesTest, WriteWholeFileReplacesTheFileWhateverItsCase) {
    tree.write("Save/SaveData01.sav", "old");
    const std::string bytes = "new contents";
    ASSERT_EQ(layer::WriteWholeFile("save\\SAVEDATA01.SAV", bytes.data(), int(bytes.size())), 0);
    EXPECT_EQ(tree.read("Save/SaveData01.sav"), bytes);
    EXPECT_EQ(NamesIn("Save"), std::vector<std::string>{"SaveData01.sav"});
}

TEST_F(SystemServicesTest, EveryFailedStepLeavesTheOldFileAndNothingBeside) {
    struct Case {
        const char* step;
        void (*fail)(int);
    };
    const Case cases[] = {{"create", platform::FailNextOpens},
                          {"write", platform::FailNextWrites},
                          {"flush", platform::FailNextFlushes},
                          {"rename", platform::FailNextRenames}};
    tree.write("Save/SaveData01.sav", "old");
    for (const Case& c : cases) {
        c.fail(1);
        EXPECT_EQ(layer::WriteWholeFile("Save\\SaveData01.sav", "new", 3), -1) << c.step;
        EXPECT_EQ(tree.read("Save/SaveData01.sav"), "old") << c.step;
        EXPECT_EQ(NamesIn("Save"), std::vector<std::string>{"SaveData01.sav"}) << c.step;
    }
    EXPECT_EQ(layer::WriteWholeFile("Save\\SaveData01.sav", "new", 3), 0);
    EXPECT_EQ(tree.read("Save/SaveData01.sav"), "new");
}

TEST_F(SystemServicesTest, FreeBytesOfAFolderOrMinusOne) {
    EXPECT_GT(layer::GetFreeDiskBytes("Game.ini"), 0);
    EXPECT_EQ(layer::GetFreeDiskBytes("NoSuchFolder\\Game.ini"), -1);
    EXPECT_EQ(layer::GetFreeDiskBytes(nullptr), -1);
    platform::SetFreeBytesForTests(100);
    EXPECT_EQ(layer::GetFreeDiskBytes("Game.ini"), 100);
}

TEST_F(SystemServicesTest, AFailedWriteLeavesTheOldFile) {
    tree.write("Game.ini", "Start=0");
    platform::FailNextOpens(1);
    EXPECT_EQ(layer::WriteWholeFile("Game.ini", "Start=1", 7), -1);
    EXPECT_EQ(tree.read("Game.ini"), "Start=0");
    EXPECT_EQ(layer::WriteWholeFile("Missing\\Game.ini", "x", 1), -1);
    EXPECT_EQ(layer::WriteWholeFile("Game.ini", nullptr, 3), -1);
}

TEST_F(SystemServicesTest, AppendsCreatesFoldersAndRemoves) {
    const std::string name = "Data\\" + test::Sjis(u8"表.txt");
    ASSERT_EQ(layer::MakeFolderAtPath("Data"), 0);
    EXPECT_EQ(layer::AppendToFile(name.c_str(), "ab", 2), 0);
    EXPECT_EQ(layer::AppendToFile(name.c_str(), "cd", 2), 0);
    EXPECT_EQ(tree.read("Data/表.txt"), "abcd");
    EXPECT_EQ(layer::RemoveFileAtPath(name.c_str()), 0);
    EXPECT_EQ(layer::RemoveFileAtPath(name.c_str()), -1);
    EXPECT_EQ(layer::MakeFolderAtPath("Data"), -1);
}

TEST_F(SystemServicesTest, PathKindsAndRenamesThatReplaceNothing) {
    tree.write("Save/System.sav", "refused");
    tree.write("Save/System.sav.refused-1", "kept");
    ASSERT_EQ(mkfifo(tree.path("Save/pipe").c_str(), 0600), 0);
    const std::pair<const char*, int> kinds[] = {{"save\\system.sav", layer::kPathFile},
                                                 {"Save", layer::kPathFolder},
                                                 {"Save\\pipe", layer::kPathOther},
                                                 {"Save\\none.sav", layer::kPathMissing}};
    for (const auto& [path, kind] : kinds)
        EXPECT_EQ(layer::GetPathKind(path), kind) << path;
    EXPECT_EQ(layer::RenameToUnusedName("Save\\System.sav", "Save\\System.sav.refused-1"), 1);
    EXPECT_EQ(layer::RenameToUnusedName("Save\\System.sav", "Save\\System.sav.refused-2"), 0);
    EXPECT_EQ(tree.read("Save/System.sav.refused-1"), "kept");
    EXPECT_EQ(tree.read("Save/System.sav.refused-2"), "refused");
    EXPECT_EQ(layer::RenameToUnusedName("Save\\System.sav", "Save\\Other.sav"), -1);
}

TEST_F(SystemServicesTest, LeftoverWriteFilesAreRemovedAndCounted) {
    tree.write("Save/.replacement.Ab3xZ9", "cut short");
    tree.write("Save/SaveData01.sav", "a save");
    EXPECT_EQ(layer::RemoveLeftoverWriteFiles("save"), 1);
    EXPECT_EQ(NamesIn("Save"), std::vector<std::string>{"SaveData01.sav"});
    EXPECT_EQ(layer::RemoveLeftoverWriteFiles("Missing"), -1);
}

TEST_F(SystemServicesTest, RelativePathsFollowTheCurrentFolder) {
    tree.write("Game/Game.ini", "");
    ASSERT_EQ(layer::ChangeCurrentFolder("game"), 0);
    EXPECT_EQ(layer::WriteWholeFile("Game.ini", "Start=0", 7), 0);
    EXPECT_EQ(tree.read("Game/Game.ini"), "Start=0");
    EXPECT_EQ(layer::ChangeCurrentFolder("NoSuchFolder"), -1);
}

TEST_F(SystemServicesTest, MessageBoxesAndConsoleTextReachStandardErrorInUtf8) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(layer::ShowModalMessageBox(test::Sjis(u8"読み込みエラー").c_str(),
                                         test::Sjis(u8"見出し").c_str(), 1),
              layer::kMessageBoxOk);
    EXPECT_EQ(layer::PrintConsoleText(test::Sjis(u8"表示\n").c_str()), 0);
    const std::string output = testing::internal::GetCapturedStderr();
    EXPECT_NE(output.find("読み込みエラー"), std::string::npos);
    EXPECT_NE(output.find("見出し"), std::string::npos);
    EXPECT_NE(output.find("表示\n"), std::string::npos);
}

TEST(EndsWithPathSeparator, AFinalTrailByteIsNoSeparator) {
    struct Case {
        const char* path;
        int ends;
    };
    const Case cases[] = {
        {"C:\\Games\\Demo", 0},
        {"C:\\Games\\Demo\\", 1},
        {"\\", 1},
        {"Games/", 1},
        {"C:\\\x95\x5C", 0},      // "表"
        {"C:\\\x83\x5C", 0},      // "ソ"
        {"C:\\\x95\x5C\\", 1},    // "表\"
        {"C:\\\x83\x5C\x5C", 1},  // "ソ\"
        {"", 0},
        {nullptr, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(layer::EndsWithPathSeparator(c.path), c.ends) << (c.path ? c.path : "null");
}

TEST_F(SystemServicesTest, TheCurrentFolderKeepsAFinalTrailByte) {
    struct Case {
        const char* disk_name;
        const char8_t* name;
    };
    for (const Case& c : {Case{"デモ表", u8"デモ表"}, Case{"デモソ", u8"デモソ"}}) {
        tree.write(std::string(c.disk_name) + "/Game.dat", "");
        const std::string name = test::Sjis(c.name);
        ASSERT_EQ(layer::ChangeCurrentFolder(name.c_str()), 0);
        char folder[4096];
        ASSERT_GT(layer::GetCurrentFolderPath(folder, sizeof folder), 0);
        EXPECT_TRUE(std::string(folder).ends_with("\\" + name)) << c.disk_name;
        ASSERT_EQ(layer::ChangeCurrentFolder(".."), 0);
    }
}

}  // namespace
