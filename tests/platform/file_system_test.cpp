#include "platform/file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/file_hooks.h"
#include "platform/game_path.h"
#include "tests/platform/game_tree.h"
#include "tests/support/fifo_in_place.h"
#include "tests/support/sjis.h"
#include "tests/support/temp_tree.h"

namespace {

using test::GamePathIn;
using test::Sjis;

std::string ReadAll(platform::File& file) {
    std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
    const std::int64_t count = file.Read(bytes.data(), bytes.size());
    bytes.resize(count < 0 ? 0 : static_cast<std::size_t>(count));
    return bytes;
}

TEST(FileSystem, CreateWriteAppendReadSeek) {
    test::TempTree tree;
    tree.write("Save/.keep", "");
    const std::string path = GamePathIn(tree, "SAVE\\" + Sjis(u8"表.sav"));
    {
        std::optional<platform::File> file = platform::CreateFileForWrite(path);
        ASSERT_TRUE(file);
        EXPECT_EQ(file->Write("hello", 5), 5);
        EXPECT_TRUE(file->Flush());
        EXPECT_TRUE(file->Close());
        EXPECT_FALSE(file->Close());
    }
    {
        std::optional<platform::File> file = platform::OpenFileForAppend(path);
        ASSERT_TRUE(file);
        EXPECT_EQ(file->Write(" world", 6), 6);
    }
    EXPECT_EQ(tree.read("Save/表.sav"), "hello world");

    std::optional<platform::File> file = platform::OpenFileForRead(path);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Size(), 11);
    EXPECT_EQ(file->Seek(-5, platform::SeekOrigin::kEnd), 6);
    char tail[8] = {};
    EXPECT_EQ(file->Read(tail, sizeof tail), 5);
    EXPECT_STREQ(tail, "world");
    EXPECT_EQ(file->Read(tail, sizeof tail), 0);
    EXPECT_EQ(file->Seek(2, platform::SeekOrigin::kBegin), 2);
    EXPECT_EQ(file->Seek(1, platform::SeekOrigin::kCurrent), 3);
    EXPECT_EQ(file->Tell(), 3);
    EXPECT_EQ(file->Seek(-1, platform::SeekOrigin::kBegin), -1);
    EXPECT_EQ(file->Write("x", 1), -1);  // opened for reading

    std::optional<platform::File> emptied = platform::CreateFileForWrite(path);
    ASSERT_TRUE(emptied);
    EXPECT_EQ(emptied->Size(), 0);
}

// A FIFO is refused at once, without waiting for a writer.
TEST(FileSystem, OpenRefusesMissingFilesFoldersAndFifos) {
    test::TempTree tree;
    tree.write("Data/a.txt", "a");
    EXPECT_FALSE(platform::OpenFileForRead(GamePathIn(tree, "Data\\b.txt")));
    EXPECT_FALSE(platform::OpenFileForRead(GamePathIn(tree, "Data")));
    EXPECT_FALSE(platform::CreateFileForWrite(GamePathIn(tree, "Missing\\a.txt")));
    EXPECT_FALSE(platform::CreateFileForWrite(GamePathIn(tree, "Data")));
    const test::FifoInPlace fifo(tree.path("Data/fifo.txt"));
    ASSERT_TRUE(fifo.made());
    EXPECT_FALSE(platform::OpenFileForRead(GamePathIn(tree, "Data\\fifo.txt")));
    platform::File closed;
    char byte;
    EXPECT_EQ(closed.Read(&byte, 1), -1);
    EXPECT_EQ(closed.Size(), -1);
}

TEST(FileSystem, OnlyRegularFilesAreRegular) {
    test::TempTree tree;
    tree.write("Data/a.txt", "a");
    const test::FifoInPlace fifo(tree.path("Data/fifo.txt"));
    ASSERT_TRUE(fifo.made());
    const struct {
        const char* path;
        bool regular;
    } cases[] = {{"Data\\A.TXT", true},
                 {"Data", false},
                 {"Data\\fifo.txt", false},
                 {"Data\\missing.txt", false}};
    for (const auto& [path, regular] : cases)
        EXPECT_EQ(platform::IsRegularFile(GamePathIn(tree, path)), regular) << path;
    EXPECT_FALSE(platform::IsRegularFile("\\dev\\null"));
}

TEST(FileSystem, StatRenameRemoveAndMakeFolder) {
    test::TempTree tree;
    tree.write("Save/tmp.sav", "new!");
    tree.write("Save/SAVE01.SAV", "old");

    const std::optional<platform::FileStatus> status =
        platform::StatPath(GamePathIn(tree, "save\\TMP.SAV"));
    ASSERT_TRUE(status);
    EXPECT_EQ(status->size, 4);
    EXPECT_FALSE(status->is_folder);
    EXPECT_NEAR(static_cast<double>(status->modified_unix_seconds),
                static_cast<double>(std::time(nullptr)), 60.0);
    const std::optional<platform::FileStatus> folder = platform::StatPath(GamePathIn(tree, "SAVE"));
    ASSERT_TRUE(folder);
    EXPECT_TRUE(folder->is_folder);
    EXPECT_FALSE(platform::StatPath(GamePathIn(tree, "save\\none")));

    // The target matching case-insensitively is replaced, keeping its name on disk.
    EXPECT_TRUE(platform::RenamePath(GamePathIn(tree, "save\\tmp.sav"),
                                     GamePathIn(tree, "save\\Save01.sav")));
    EXPECT_EQ(tree.read("Save/SAVE01.SAV"), "new!");
    EXPECT_FALSE(platform::StatPath(GamePathIn(tree, "save\\tmp.sav")));
    EXPECT_FALSE(
        platform::RenamePath(GamePathIn(tree, "save\\tmp.sav"), GamePathIn(tree, "save\\x.sav")));

    EXPECT_TRUE(platform::MakeFolder(GamePathIn(tree, "save\\" + Sjis(u8"予備"))));
    EXPECT_TRUE(platform::StatPath(GamePathIn(tree, "Save\\" + Sjis(u8"予備")))->is_folder);
    EXPECT_FALSE(platform::MakeFolder(GamePathIn(tree, "save\\" + Sjis(u8"予備"))));
    EXPECT_FALSE(platform::MakeFolder(GamePathIn(tree, "missing\\x")));

    EXPECT_FALSE(platform::RemoveFile(GamePathIn(tree, "save\\" + Sjis(u8"予備"))));
    EXPECT_TRUE(platform::RemoveFile(GamePathIn(tree, "SAVE\\save01.sav")));
    EXPECT_FALSE(platform::RemoveFile(GamePathIn(tree, "SAVE\\save01.sav")));
}

TEST(FileSystem, RenameToFreshNameNeverReplacesWhatIsThere) {
    test::TempTree tree;
    tree.write("Save/System.sav", "refused");
    tree.write("Save/System.sav.REFUSED-1", "kept earlier");
    tree.write("Save/Sub/.keep", "");
    using platform::FreshRename;
    const std::string from = GamePathIn(tree, "Save\\System.sav");
    EXPECT_EQ(platform::RenameToFreshName(from, GamePathIn(tree, "Save\\System.sav.refused-1")),
              FreshRename::kNameTaken)
        << "taken in another letter case";
    EXPECT_EQ(platform::RenameToFreshName(from, GamePathIn(tree, "Save\\Sub")),
              FreshRename::kNameTaken);
    EXPECT_EQ(tree.read("Save/System.sav.REFUSED-1"), "kept earlier");
    EXPECT_EQ(platform::RenameToFreshName(from, GamePathIn(tree, "Save\\System.sav.refused-2")),
              FreshRename::kRenamed);
    EXPECT_EQ(tree.read("Save/System.sav.refused-2"), "refused");
    EXPECT_FALSE(platform::StatPath(from));
    EXPECT_EQ(platform::RenameToFreshName(from, GamePathIn(tree, "Save\\Other.sav")),
              FreshRename::kFailed)
        << "nothing to rename";
    EXPECT_EQ(
        platform::RenameToFreshName(GamePathIn(tree, "Save\\Sub"), GamePathIn(tree, "Save\\Moved")),
        FreshRename::kFailed)
        << "folders stay";
}

TEST(FileSystem, OnlyLeftoverReplacementFilesAreRemoved) {
    test::TempTree tree;
    struct Case {
        const char* name;
        bool removed;
    };
    const Case cases[] = {{".replacement.Ab3xZ9", true},  {".replacement.000000", true},
                          {".replacement.Ab3xZ", false},  {".replacement.Ab3xZ90", false},
                          {".replacement.Ab-xZ9", false}, {"replacement.Ab3xZ9", false},
                          {".Replacement.Ab3xZ9", false}, {"SaveData01.sav", false}};
    for (const Case& c : cases)
        tree.write(std::string("Save/") + c.name, "x");
    tree.write("Save/.replacement.Folder/.keep", "");
    std::filesystem::create_symlink(tree.path("Save/SaveData01.sav"),
                                    tree.path("Save/.replacement.Linked"));
    ASSERT_EQ(mkfifo(tree.path("Save/.replacement.Fifo00").c_str(), 0600), 0);
    std::optional<platform::ReplacementFile> unfinished =
        platform::CreateReplacementFile(GamePathIn(tree, "Save\\SaveData02.sav"));
    ASSERT_TRUE(unfinished);

    EXPECT_EQ(platform::RemoveLeftoverReplacementFiles(GamePathIn(tree, "save")), 3);
    EXPECT_FALSE(std::filesystem::exists(unfinished->disk_path)) << "the writer's own name";
    for (const Case& c : cases)
        EXPECT_EQ(std::filesystem::exists(tree.path(std::string("Save/") + c.name)), !c.removed)
            << c.name;
    EXPECT_TRUE(std::filesystem::is_directory(tree.path("Save/.replacement.Folder")));
    EXPECT_TRUE(std::filesystem::is_symlink(tree.path("Save/.replacement.Linked")));
    EXPECT_TRUE(std::filesystem::is_fifo(tree.path("Save/.replacement.Fifo00")));
    EXPECT_EQ(platform::RemoveLeftoverReplacementFiles(GamePathIn(tree, "Missing")), std::nullopt);
}

TEST(FileSystem, FailNextOpensHook) {
    test::TempTree tree;
    tree.write("a.txt", "a");
    const std::string path = GamePathIn(tree, "a.txt");
    platform::FailNextOpens(2);
    EXPECT_FALSE(platform::OpenFileForRead(path));
    EXPECT_FALSE(platform::CreateFileForWrite(GamePathIn(tree, "b.txt")));
    EXPECT_TRUE(platform::OpenFileForRead(path));
    platform::FailNextOpens(5);
    platform::FailNextOpens(0);
    EXPECT_TRUE(platform::OpenFileForRead(path));
}

TEST(FileSystem, ReadDelayHook) {
    test::TempTree tree;
    tree.write("a.txt", "abc");
    std::optional<platform::File> file = platform::OpenFileForRead(GamePathIn(tree, "a.txt"));
    ASSERT_TRUE(file);
    platform::SetReadDelayMilliseconds(30);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ReadAll(*file), "abc");
    const auto waited = std::chrono::steady_clock::now() - start;
    platform::SetReadDelayMilliseconds(0);
    EXPECT_GE(waited, std::chrono::milliseconds(30));
}

TEST(FileSystem, CurrentAndTemporaryFolders) {
    test::TempTree tree;
    tree.write("Game/Data/a.txt", "a");
    const std::string saved = platform::GetCurrentFolder();
    ASSERT_TRUE(platform::SetCurrentFolder(GamePathIn(tree, "game")));
    EXPECT_EQ(platform::GetCurrentFolder(), GamePathIn(tree, "Game"));
    std::optional<platform::File> file = platform::OpenFileForRead("data\\A.TXT");
    ASSERT_TRUE(file);
    EXPECT_EQ(ReadAll(*file), "a");
    EXPECT_FALSE(platform::SetCurrentFolder("Data\\a.txt"));
    EXPECT_FALSE(platform::SetCurrentFolder("Missing"));
    EXPECT_EQ(platform::GetCurrentFolder(), GamePathIn(tree, "Game"));
    ASSERT_TRUE(platform::SetCurrentFolder(saved));

    EXPECT_EQ(platform::TemporaryFolder(), platform::DiskPathToGamePath(std::getenv("TMPDIR")));
}

TEST(FileSystem, ConcurrentLookupsWhileFilesAreAdded) {
    test::TempTree tree;
    for (int i = 0; i < 20; ++i)
        tree.write("Data/File" + std::to_string(i) + ".TXT", "x");
    std::atomic<int> failures{0};
    std::vector<std::thread> readers;
    for (int t = 0; t < 4; ++t) {
        readers.emplace_back([&] {
            for (int round = 0; round < 50; ++round) {
                for (int i = 0; i < 20; ++i) {
                    const std::string path =
                        GamePathIn(tree, "data\\file" + std::to_string(i) + ".txt");
                    if (!platform::OpenFileForRead(path))
                        ++failures;
                }
            }
        });
    }
    for (int i = 0; i < 50; ++i)
        tree.write("Data/New" + std::to_string(i), "");
    for (std::thread& reader : readers)
        reader.join();
    EXPECT_EQ(failures.load(), 0);
    EXPECT_TRUE(platform::StatPath(GamePathIn(tree, "data\\NEW49")));
}

}  // namespace
