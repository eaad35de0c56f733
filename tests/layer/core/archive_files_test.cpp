#include <gtest/gtest.h>

#include <sys/resource.h>

#include <filesystem>
#include <string>

#include "layer/core/archive_file_operations.h"
#include "layer/core/archive_path.h"
#include "layer/core/file_messages_texts.h"
#include "layer/core/full_path.h"
#include "tests/layer/core/file_fixture.h"
#include "tests/layer/core/qva_fixture.h"
#include "tests/support/joined.h"

namespace layer {
namespace {

using test::QvaFile;
using test::QvaFolder;

class ArchiveFiles : public test::FileTest {
  protected:
    void WriteArchive(const std::string& relative, const tools::QvaNode& content,
                      const char* key = nullptr) {
        tools::QvaWriteOptions options;
        if (key != nullptr) {
            options.key_string = key;
        }
        tree.write(relative, tools::WriteQvaArchive(content, options));
    }

    std::string ReadAll(const std::string& path) {
        const int size = GetDataFileSize(path.c_str());
        if (size < 0) {
            return "<missing>";
        }
        const FileHandle file = OpenDataFile(path.c_str(), 0);
        std::string data(static_cast<std::size_t>(size), '\0');
        ReadDataFile(data.data(), size, file);
        CloseDataFile(file);
        return data;
    }
};

tools::QvaNode DataTree() {
    return QvaFolder("", {QvaFolder("BasicData", {QvaFile("X.dat", "from the archive"),
                                                  QvaFile(test::Sjis(u8"表.txt"), "hyou")})});
}

TEST_F(ArchiveFiles, ArchiveShadowsTheFolderItIsNamedAfter) {
    ChooseArchiveExtension("qent");
    WriteArchive("Data.qent", DataTree());
    tree.write("Data/BasicData/X.dat", "from the disk");
    tree.write("Data/OnlyOnDisk.dat", "never read");
    tree.write("Other/Y.dat", "plain");

    EXPECT_EQ(ReadAll("Data\\BasicData\\X.dat"), "from the archive");
    EXPECT_EQ(ReadAll("data/basicdata/x.DAT"), "from the archive");
    EXPECT_EQ(ReadAll("Data\\BasicData\\" + test::Sjis(u8"表.txt")), "hyou");
    EXPECT_EQ(ReadAll("Data\\OnlyOnDisk.dat"), "<missing>");
    EXPECT_EQ(ReadAll("Data\\Missing\\X.dat"), "<missing>");
    EXPECT_EQ(ReadAll("Other\\Y.dat"), "plain");

    int index = -1;
    std::string archive_path;
    std::string rest;
    ASSERT_EQ(ResolveArchivePath("Data\\BasicData\\X.dat", &index, &archive_path, &rest), 0);
    EXPECT_EQ(rest, "BASICDATA\\X.DAT");
    EXPECT_EQ(archive_path, MakeUpperFullPath("Data") + ".QENT");
    ReleaseCachedArchive(index);
    EXPECT_EQ(ResolveArchivePath("Data", &index, nullptr, nullptr), -1)
        << "the last component is never an archive";
}

TEST_F(ArchiveFiles, ExtensionDefaultsToQvaAndRefusesSixtyFourCharacters) {
    WriteArchive("Data.QVA", DataTree());
    EXPECT_EQ(ReadAll("Data\\BasicData\\X.dat"), "from the archive");
    ChooseArchiveExtension(std::string(63, 'e').c_str());
    EXPECT_EQ(Archives().extension.size(), 63u);
    ChooseArchiveExtension(std::string(64, 'e').c_str());
    EXPECT_EQ(Archives().extension, "");
    ChooseArchiveExtension(nullptr);
    EXPECT_EQ(Archives().extension, "");
}

TEST_F(ArchiveFiles, KeyStringIsCutToTwelveAndOpensArchivesKeyedWithIt) {
    ChooseArchiveKey("abcdefghijklmnopqrst");
    EXPECT_EQ(Archives().key, "abcdefghijkl");
    WriteArchive("Data.qva", DataTree(), "abcdefghijkl");
    EXPECT_EQ(ReadAll("Data\\BasicData\\X.dat"), "from the archive");
}

TEST_F(ArchiveFiles, StartUpClearsExtensionAndKey) {
    ChooseArchiveExtension("qent");
    ChooseArchiveKey("key");
    ResetFileSystem();
    EXPECT_EQ(Archives().extension, "");
    EXPECT_EQ(Archives().key_on, 0);
}

TEST_F(ArchiveFiles, ArchiveWithAWrongKeyCountsAsAbsent) {
    WriteArchive("Data.qva", DataTree(), "right");
    tree.write("Data/BasicData/X.dat", "from the disk");
    ChooseArchiveKey("wrong");
    EXPECT_EQ(ReadAll("Data\\BasicData\\X.dat"), "from the disk");
}

TEST_F(ArchiveFiles, FiveHundredThirteenthOpenFileIsRefusedUntilOneCloses) {
    tree.write("a.txt", "a");
    WriteArchive("Data.qva", DataTree());
    std::vector<FileHandle> files;
    for (int i = 0; i < kMaxArchiveAwareFiles; ++i) {
        files.push_back(OpenDataFile(i % 2 == 0 ? "a.txt" : "Data\\BasicData\\X.dat", 0));
        ASSERT_NE(files.back(), 0u) << i;
    }
    EXPECT_EQ(OpenDataFile("a.txt", 0), 0u);
    const std::string text = kTooManyOpenFilesText;
    EXPECT_NE(ReadLog().find(text.substr(0, text.size() - 1)), std::string::npos);
    CloseDataFile(files[7]);
    const FileHandle again = OpenDataFile("Data\\BasicData\\X.dat", 0);
    EXPECT_EQ(again, 0xF0000000u | 7u);
    files[7] = again;
    for (const FileHandle file : files) {
        EXPECT_EQ(CloseDataFile(file), 0);
    }
    EXPECT_EQ(CloseDataFile(files[0]), -1) << "a closed handle names no file";
}

TEST_F(ArchiveFiles, WithEveryArchiveSlotInUseAPathOpensThePlainFile) {
    rlimit limit;
    getrlimit(RLIMIT_NOFILE, &limit);
    const rlimit saved = limit;
    limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_NOFILE, &limit);
    const std::string bytes =
        tools::WriteQvaArchive(QvaFolder("", {QvaFile("x.dat", "archived")}), {});
    for (int i = 0; i <= kMaxCachedArchives; ++i) {
        tree.write(test::Joined({"A", std::to_string(i), ".qva"}), bytes);
    }
    tree.write("A512/x.dat", "plain");
    std::vector<int> held;
    for (int i = 0; i < kMaxCachedArchives; ++i) {
        int index = -1;
        ASSERT_EQ(ResolveArchivePath(test::Joined({"A", std::to_string(i), "\\x.dat"}), &index,
                                     nullptr, nullptr),
                  0);
        held.push_back(index);
    }
    EXPECT_EQ(ReadAll("A512\\x.dat"), "plain");
    ReleaseCachedArchive(held[3]);
    EXPECT_EQ(ReadAll("A512\\x.dat"), "archived") << "an idle archive makes room";
    ClearArchiveState();
    setrlimit(RLIMIT_NOFILE, &saved);
}

TEST_F(ArchiveFiles, RememberedArchiveThatCannotOpenAgainLeavesThePlainFile) {
    WriteArchive("Data.qva", DataTree());
    tree.write("Data/BasicData/X.dat", "from the disk");
    EXPECT_EQ(ReadAll("Data\\BasicData\\X.dat"), "from the archive");
    CloseIdleArchives();
    std::filesystem::remove(tree.path("Data.qva"));
    EXPECT_EQ(ReadAll("Data\\BasicData\\X.dat"), "from the disk");
}

TEST_F(ArchiveFiles, WholeImageModeServesEntriesFromMemory) {
    WriteArchive("Data.qva", DataTree());
    const std::string path = MakeUpperFullPath("Data.qva");
    const int index = OpenCachedArchive(-1, path, GamePath("Data.qva"), 1, 1);
    ASSERT_GE(index, 0);
    QvaArchive* archive = Archives().cache[index].archive;
    EXPECT_EQ(archive->whole_image, 1);
    ArchiveEntry entry;
    ASSERT_EQ(OpenArchiveEntry(&entry, archive, "BASICDATA\\X.DAT", 0), 0);
    EXPECT_EQ(archive->image_load_pending, 0);
    EXPECT_EQ(archive->file, 0u) << "the file is closed once the image is in";
    std::string data(16, '\0');
    EXPECT_EQ(ReadArchiveEntry(&entry, data.data(), 100), 16);
    EXPECT_EQ(data, "from the archive");
    CloseArchiveEntry(&entry);
    EXPECT_EQ(OpenCachedArchive(index, path, "", 0, 0), index) << "found by its path";
    ReleaseCachedArchive(index);
    ReleaseCachedArchive(index);
}

TEST_F(ArchiveFiles, SearchesInsideArchivesListDotsAndNamesInTheirCase) {
    WriteArchive("Data.qva", DataTree());
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"Data\\BasicData\\*", {".", "..", "X.dat", test::Sjis(u8"表.txt")}},
        {"Data\\BasicData\\*.DAT", {"X.dat"}},
        {"Data\\*", {".", "BasicData"}},
        {"Data\\BasicData\\x.dat", {"X.dat"}},
    };
    for (const auto& [pattern, expected] : cases) {
        FileInfo info;
        std::vector<std::string> names;
        const int search = ArchiveAwareFindFirst(pattern.c_str(), &info);
        ASSERT_GE(search, 0) << pattern;
        do {
            names.push_back(info.name);
        } while (ArchiveAwareFindNext(search, &info) == 0);
        EXPECT_EQ(ArchiveAwareFindClose(search), 0);
        EXPECT_EQ(names, expected) << pattern;
    }
    FileInfo info;
    ASSERT_GE(ArchiveAwareFindFirst("Data\\BasicData\\X.*", &info), 0);
    EXPECT_EQ(info.directory, 0);
    EXPECT_EQ(info.size_low, 16u);
    EXPECT_EQ(info.last_write_time.year, 2022);
    EXPECT_EQ(ArchiveAwareFindFirst("Data\\BasicData\\*.png", &info), -1);
    EXPECT_EQ(ArchiveAwareFindFirst("Data\\None\\*", &info), -1);
    EXPECT_GE(ArchiveAwareFindFirst("Data\\*", nullptr), 0);
}

}  // namespace
}  // namespace layer
