#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "layer/core/qva_archive.h"
#include "tests/layer/core/qva_fixture.h"
#include "tests/support/temp_tree.h"

namespace layer {
namespace {

using test::QvaFile;
using test::QvaFolder;

const std::uint8_t* Bytes(const std::string& s) {
    return reinterpret_cast<const std::uint8_t*>(s.data());
}

std::string ReadWhole(QvaArchive* archive, const std::string& path, int asynchronous = 0) {
    ArchiveEntry entry;
    if (OpenArchiveEntry(&entry, archive, path, asynchronous) != 0) {
        return "<not found>";
    }
    std::string data(entry.record.size, '\0');
    const int got = ReadArchiveEntry(&entry, data.data(), static_cast<std::int64_t>(data.size()));
    EXPECT_EQ(got, static_cast<int>(data.size())) << path;
    EXPECT_EQ(ReadArchiveEntry(&entry, data.data(), 1), 0);
    EXPECT_EQ(IsArchiveEntryAtEnd(&entry), -1);
    CloseArchiveEntry(&entry);
    return data;
}

// Version, key string (empty: none), store flag.
class QvaRoundTrip : public testing::TestWithParam<std::tuple<int, const char*, bool>> {
  protected:
    tools::QvaWriteOptions Options() const {
        tools::QvaWriteOptions options;
        options.version = static_cast<std::uint16_t>(std::get<0>(GetParam()));
        if (*std::get<1>(GetParam()) != '\0') {
            options.key_string = std::get<1>(GetParam());
        }
        options.store = std::get<2>(GetParam());
        return options;
    }
    const char* Key() const {
        return *std::get<1>(GetParam()) != '\0' ? std::get<1>(GetParam()) : nullptr;
    }
};

TEST_P(QvaRoundTrip, EveryFileReadsBackByteForByteFromMemoryAndFromDisk) {
    const tools::QvaNode tree = test::SampleQvaTree();
    const std::string bytes = tools::WriteQvaArchive(tree, Options());
    std::vector<test::QvaFileEntry> files;
    test::ListQvaFiles(tree, "", &files);

    QvaArchive memory;
    ASSERT_EQ(OpenArchiveMemoryImage(&memory, Bytes(bytes), bytes.size(), Key()), 0);
    test::TempTree disk;
    const std::string path = disk.write("data.qva", bytes).string();
    QvaArchive directory_only;
    ASSERT_EQ(OpenArchiveDirectory(&directory_only, path.c_str(), Key()), 0);
    QvaArchive image;
    ASSERT_EQ(OpenArchiveImage(&image, path.c_str(), Key(), 1), 0);

    for (const test::QvaFileEntry& file : files) {
        EXPECT_EQ(ReadWhole(&memory, file.path), file.data) << file.path;
        EXPECT_EQ(ReadWhole(&directory_only, file.path), file.data) << file.path;
        EXPECT_EQ(ReadWhole(&directory_only, file.path, 1), file.data) << file.path;
        EXPECT_EQ(ReadWhole(&image, file.path), file.data) << file.path;
    }
    CloseArchive(&memory);
    CloseArchive(&directory_only);
    CloseArchive(&image);
}

INSTANTIATE_TEST_SUITE_P(VersionsKeysAndStorage, QvaRoundTrip,
                         testing::Combine(testing::Values(0, 1, 2, 3), testing::Values("", "key"),
                                          testing::Bool()),
                         [](const auto& info) {
                             return "Version" + std::to_string(std::get<0>(info.param)) +
                                    (*std::get<1>(info.param) != '\0' ? "Key" : "NoKey") +
                                    (std::get<2>(info.param) ? "StoreOn" : "StoreOff");
                         });

TEST(QvaArchive, CompressesFromVersionTwoOnly) {
    const tools::QvaNode tree = QvaFolder("", {QvaFile("a", test::RepetitiveBytes(4000))});
    for (const int version : {0, 1, 2, 3}) {
        tools::QvaWriteOptions options;
        options.version = static_cast<std::uint16_t>(version);
        const std::string bytes = tools::WriteQvaArchive(tree, options);
        EXPECT_EQ(bytes.size() < 4000, version >= 2) << version;
    }
}

// With 40-byte records, the bytes at offset 40 of the first record are the next record's name
// offset, which must not be read as a compressed size.
TEST(QvaArchive, VersionOneNeverDecodes) {
    tools::QvaWriteOptions options;
    options.version = 1;
    const std::string bytes = tools::WriteQvaArchive(
        QvaFolder("", {QvaFile("a", "first"), QvaFile("b", "second")}), options);
    QvaArchive archive;
    ASSERT_EQ(OpenArchiveMemoryImage(&archive, Bytes(bytes), bytes.size(), nullptr), 0);
    EXPECT_EQ(ReadWhole(&archive, "A"), "first");
    EXPECT_EQ(ReadWhole(&archive, "B"), "second");
    CloseArchive(&archive);
}

class QvaLookUp : public testing::Test {
  protected:
    void SetUp() override {
        bytes_ = tools::WriteQvaArchive(
            QvaFolder("", {QvaFolder("SAME", {QvaFile("IN", "inside"),
                                              QvaFolder("SAME", {QvaFile("DEEP", "deep")}),
                                              QvaFile("SAME", "inner file")}),
                           QvaFile("SAME", "file"), QvaFile("TOP", "top")}),
            {});
        ASSERT_EQ(OpenArchiveMemoryImage(&archive_, Bytes(bytes_), bytes_.size(), nullptr), 0);
    }
    void TearDown() override { CloseArchive(&archive_); }

    std::string bytes_;
    QvaArchive archive_;
};

TEST_F(QvaLookUp, FolderAndFileOfOneNameAreEachFoundByTheirOwnLookUp) {
    EXPECT_EQ(ReadWhole(&archive_, "SAME"), "file");
    EXPECT_EQ(ReadWhole(&archive_, "SAME\\IN"), "inside");
    EXPECT_EQ(ReadWhole(&archive_, "SAME\\SAME"), "inner file");
    EXPECT_EQ(ReadWhole(&archive_, "SAME/SAME/DEEP"), "deep");
    EXPECT_EQ(ChangeArchiveDir(&archive_, "SAME"), 0);
    EXPECT_EQ(ReadWhole(&archive_, "IN"), "inside");
    EXPECT_EQ(ReadWhole(&archive_, "\\TOP"), "top");
    EXPECT_EQ(ChangeArchiveDir(&archive_, ".."), 0);
    EXPECT_EQ(ChangeArchiveDir(&archive_, ".."), -1) << "the root has no parent";
}

TEST_F(QvaLookUp, PathsThatNameNoFile) {
    for (const char* path : {"TOP\\", "SAME\\", "SAME\\SAME\\", "NONE", "NONE\\IN", "TOP\\IN",
                             "SAME\\\\IN", "", "\\", "SAME\\DEEP"}) {
        ArchiveFileRecord record;
        EXPECT_FALSE(FindArchiveFile(path, &archive_, &record)) << path;
        EXPECT_EQ(archive_.current_directory, 0u) << path;
    }
}

TEST(QvaArchive, WrongKeyFailsAndRetryKeyedArchivesOpenWithAnyKey) {
    const tools::QvaNode tree = QvaFolder("", {QvaFile("a", "bytes")});
    tools::QvaWriteOptions options;
    options.key_string = "right";
    const std::string keyed = tools::WriteQvaArchive(tree, options);
    QvaArchive archive;
    EXPECT_EQ(OpenArchiveMemoryImage(&archive, Bytes(keyed), keyed.size(), "wrong"), -1);
    EXPECT_EQ(OpenArchiveMemoryImage(&archive, Bytes(keyed), keyed.size(), nullptr), -1);

    options.key_string.reset();
    options.raw_key = RetryArchiveKey();
    const std::string retry = tools::WriteQvaArchive(tree, options);
    for (const char* key : {"any", "", static_cast<const char*>(nullptr)}) {
        ASSERT_EQ(OpenArchiveMemoryImage(&archive, Bytes(retry), retry.size(), key), 0);
        EXPECT_EQ(ReadWhole(&archive, "A"), "bytes");
        CloseArchive(&archive);
    }
}

TEST(QvaArchive, KeyStringsDeriveLikeTheirFirstTwelveBytesAndEmptyLikeNone) {
    EXPECT_EQ(DeriveArchiveKey("abcdefghijklXYZ"), DeriveArchiveKey("abcdefghijkl"));
    EXPECT_EQ(DeriveArchiveKey("ab"), DeriveArchiveKey("abababababab"));
    EXPECT_EQ(DeriveArchiveKey(""), DeriveArchiveKey(nullptr));
    EXPECT_NE(DeriveArchiveKey("a"), DeriveArchiveKey(nullptr));
}

}  // namespace
}  // namespace layer
