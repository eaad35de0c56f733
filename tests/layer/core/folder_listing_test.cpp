#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "layer/core/layer_api.h"
#include "platform/file_system.h"
#include "tests/support/sjis.h"
#include "tests/support/temp_tree.h"

namespace {

class FolderListingTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(platform::SetCurrentFolder(tree.root().string())); }

    // The names listed, or nothing with count -1.
    std::vector<std::string> List(const std::string& path, int* count = nullptr) {
        std::vector<std::string> names;
        const int listed = layer::ListFolder(
            path.c_str(),
            [](const char* name, void* context) {
                static_cast<std::vector<std::string>*>(context)->push_back(name);
            },
            &names);
        if (count != nullptr)
            *count = listed;
        return names;
    }

    test::TempTree tree;
};

TEST_F(FolderListingTest, FilesAndFoldersInByteOrderWithoutDots) {
    tree.write("Data/b.txt", "");
    tree.write("Data/a.txt", "");
    tree.write("Data/Sub/inner.txt", "");
    tree.write("Data/表.txt", "");
    int count = 0;
    const std::vector<std::string> names = List("data", &count);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(names, (std::vector<std::string>{"Sub", "a.txt", "b.txt", test::Sjis(u8"表.txt")}));
}

TEST_F(FolderListingTest, AnEmptyFolderListsNothingAndAMissingOneFails) {
    std::filesystem::create_directories(tree.path("Empty"));
    int count = -2;
    EXPECT_TRUE(List("Empty\\", &count).empty());
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(List("Missing", &count).empty());
    EXPECT_EQ(count, -1);
}

TEST_F(FolderListingTest, AFolderNamedWithASecondByte5CIsListedInside) {
    tree.write("表/x.txt", "");
    EXPECT_EQ(List(test::Sjis(u8"表")), (std::vector<std::string>{"x.txt"}));
}

TEST_F(FolderListingTest, ANameWithoutACp932FormIsLeftOut) {
    tree.write("Data/keep.txt", "");
    tree.write("Data/\xF0\x9F\x98\x80.txt", "");
    EXPECT_EQ(List("Data"), (std::vector<std::string>{"keep.txt"}));
}

TEST_F(FolderListingTest, TheCurrentFolderStays) {
    tree.write("Data/Inner/x.txt", "");
    List("Data\\Inner");
    EXPECT_EQ(List("Data"), (std::vector<std::string>{"Inner"}));
}

}  // namespace
