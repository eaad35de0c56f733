#include <gtest/gtest.h>

#include <string>

#include "layer/core/layer_api.h"
#include "platform/file_hooks.h"
#include "platform/file_system.h"
#include "tests/support/sjis.h"
#include "tests/support/temp_tree.h"

namespace {

class SystemServicesTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(platform::SetCurrentFolder(tree.root().string())); }
    void TearDown() override { platform::FailNextOpens(0); }

    test::TempTree tree;
};

TEST_F(SystemServicesTest, WriteWholeFileReplacesTheFileWhateverItsCase) {
    tree.write("Save/SaveData01.sav", "old");
    const std::string bytes = "new contents";
    ASSERT_EQ(layer::WriteWholeFile("save\\SAVEDATA01.SAV", bytes.data(), int(bytes.size())), 0);
    EXPECT_EQ(tree.read("Save/SaveData01.sav"), bytes);
    EXPECT_FALSE(platform::StatPath("Save\\SaveData01.sav.tmp"));
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

}  // namespace
