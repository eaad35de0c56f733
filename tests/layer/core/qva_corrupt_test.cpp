#include <gtest/gtest.h>

#include <functional>

#include "layer/core/qva_archive.h"
#include "platform/file_hooks.h"
#include "tests/layer/core/file_fixture.h"
#include "tests/layer/core/qva_fixture.h"
#include "tests/support/fifo_in_place.h"

namespace layer {
namespace {

using test::QvaFile;
using test::QvaFolder;

// Root: A.TXT (stored), SUB\IN.TXT (compressed). Damage is done to the un-keyed bytes.
class QvaCorrupt : public test::FileTest {
  public:
    void SetUp() override {
        test::FileTest::SetUp();
        plain_ = tools::WriteQvaArchive(
            QvaFolder("", {QvaFile("A.TXT", "hello"),
                           QvaFolder("SUB", {QvaFile("IN.TXT", test::RepetitiveBytes(2000))})}),
            {});
        ApplyArchiveKey(plain_.size(), plain_.data(), 0, DeriveArchiveKey(nullptr));
    }

    std::uint32_t Field(std::size_t at) const {
        return LoadLe32(reinterpret_cast<const std::uint8_t*>(plain_.data() + at));
    }
    void SetField(std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            plain_[at + i] = static_cast<char>(value >> (8 * i));
        }
    }
    std::size_t Block() const { return Field(12); }
    std::size_t FileRecord(std::size_t index) const {
        return Block() + Field(16) + index * kArchiveFileRecordSizeNew;
    }
    std::size_t DirectoryRecord(std::uint32_t offset) const { return Block() + Field(20) + offset; }
    std::size_t SubRecord() const { return DirectoryRecord(Field(FileRecord(1) + 32)); }

    std::string Keyed(std::string bytes) const {
        ApplyArchiveKey(bytes.size(), bytes.data(), 0, DeriveArchiveKey(nullptr));
        return bytes;
    }

    int Open(QvaArchive* archive, const std::string& bytes, const char** refusal = nullptr) const {
        const std::string keyed = Keyed(bytes);
        return OpenArchiveMemoryImage(archive, reinterpret_cast<const std::uint8_t*>(keyed.data()),
                                      keyed.size(), nullptr, refusal);
    }

    // Opens and reads one entry: its bytes, or "<open failed>".
    static std::string ReadEntry(QvaArchive* archive, const char* path) {
        ArchiveEntry entry;
        if (OpenArchiveEntry(&entry, archive, path, 0) != 0) {
            return "<open failed>";
        }
        std::string data(entry.record.size, '\0');
        ReadArchiveEntry(&entry, data.data(), static_cast<std::int64_t>(data.size()));
        CloseArchiveEntry(&entry);
        return data;
    }

    std::string plain_;
};

TEST_F(QvaCorrupt, DamagedHeadersDoNotOpenAndSayWhy) {
    constexpr const char* kNoArchive = "it is no archive, or one made with another key";
    constexpr const char* kTables = "its tables lie outside the file";
    struct Case {
        const char* what;
        std::function<void(QvaCorrupt*)> damage;
        const char* refusal;
    };
    const std::vector<Case> cases = {
        {"bad magic", [](QvaCorrupt* t) { t->plain_[1] = 'W'; }, kNoArchive},
        {"version 4", [](QvaCorrupt* t) { t->plain_[2] = 4; },
         "its format version is newer than this player reads"},
        {"shorter than a header", [](QvaCorrupt* t) { t->plain_.resize(23); },
         "it is shorter than an archive header"},
        {"directory block past the file",
         [](QvaCorrupt* t) { t->SetField(4, static_cast<std::uint32_t>(t->plain_.size())); },
         kTables},
        {"directory block offset past the file",
         [](QvaCorrupt* t) { t->SetField(12, 0xFFFFFFF0u); }, kTables},
        {"data area past the file",
         [](QvaCorrupt* t) { t->SetField(8, static_cast<std::uint32_t>(t->plain_.size() + 1)); },
         kTables},
        {"file table past the block", [](QvaCorrupt* t) { t->SetField(16, t->Field(4) + 1); },
         kTables},
        {"directory table past the block", [](QvaCorrupt* t) { t->SetField(20, t->Field(4) - 8); },
         kTables},
    };
    for (const Case& c : cases) {
        const std::string kept = plain_;
        c.damage(this);
        QvaArchive archive;
        const char* refusal = nullptr;
        EXPECT_EQ(Open(&archive, plain_, &refusal), -1) << c.what;
        EXPECT_STREQ(refusal, c.refusal) << c.what;
        plain_ = kept;
    }
}

TEST_F(QvaCorrupt, OnlyAnArchiveFileThatIsThereIsRefused) {
    QvaArchive archive;
    tree.write("Locked.qva", Keyed(plain_));
    platform::FailNextOpens(1);
    const char* refusal = nullptr;
    EXPECT_EQ(OpenArchiveDirectory(&archive, GamePath("Locked.qva").c_str(), nullptr, &refusal),
              -1);
    EXPECT_STREQ(refusal, "it cannot be read");
    refusal = "unset";
    EXPECT_EQ(OpenArchiveDirectory(&archive, GamePath("Missing.qva").c_str(), nullptr, &refusal),
              -1);
    EXPECT_EQ(refusal, nullptr);
    tree.write("Folder.qva/x", "");
    refusal = "unset";
    EXPECT_EQ(OpenArchiveImage(&archive, GamePath("Folder.qva").c_str(), nullptr, 0, &refusal), -1);
    EXPECT_EQ(refusal, nullptr);
    // A FIFO is there but cannot be read; neither opening waits for a writer.
    const test::FifoInPlace fifo(tree.path("Fifo.qva"));
    ASSERT_TRUE(fifo.made());
    refusal = nullptr;
    EXPECT_EQ(OpenArchiveDirectory(&archive, GamePath("Fifo.qva").c_str(), nullptr, &refusal), -1);
    EXPECT_STREQ(refusal, "it cannot be read");
    refusal = nullptr;
    EXPECT_EQ(OpenArchiveImage(&archive, GamePath("Fifo.qva").c_str(), nullptr, 0, &refusal), -1);
    EXPECT_STREQ(refusal, "it cannot be read");
}

TEST_F(QvaCorrupt, DamagedRecordsReadAsNotFound) {
    const std::vector<std::pair<const char*, std::function<void(QvaCorrupt*)>>> cases = {
        {"count past the table",
         [](QvaCorrupt* t) { t->SetField(t->DirectoryRecord(0) + 8, 0x10000000u); }},
        {"first record past the table",
         [](QvaCorrupt* t) { t->SetField(t->DirectoryRecord(0) + 12, 0xFFFFFFF0u); }},
        {"name past the block", [](QvaCorrupt* t) { t->SetField(t->FileRecord(0), 0xFFFFFFF0u); }},
        {"name words past the block",
         [](QvaCorrupt* t) {
             const std::size_t name = t->Block() + t->Field(t->FileRecord(0));
             t->plain_[name] = '\xFF';
             t->plain_[name + 1] = '\xFF';
         }},
    };
    for (const auto& [what, damage] : cases) {
        const std::string kept = plain_;
        damage(this);
        QvaArchive archive;
        ASSERT_EQ(Open(&archive, plain_), 0) << what;
        EXPECT_EQ(ReadEntry(&archive, "A.TXT"), "<open failed>") << what;
        CloseArchive(&archive);
        plain_ = kept;
    }
}

TEST_F(QvaCorrupt, ParentCyclesAreFollowedOnlyAsFarAsAPathAsks) {
    const std::uint32_t sub = Field(FileRecord(1) + 32);
    SetField(SubRecord() + 4, sub);         // SUB is its own parent
    SetField(DirectoryRecord(0) + 4, sub);  // and the root has one
    QvaArchive archive;
    ASSERT_EQ(Open(&archive, plain_), 0);
    EXPECT_EQ(ChangeArchiveDir(&archive, "SUB"), 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(ChangeArchiveDir(&archive, ".."), 0);
    }
    EXPECT_EQ(ReadEntry(&archive, "IN.TXT"), test::RepetitiveBytes(2000));
    CloseArchive(&archive);
}

TEST_F(QvaCorrupt, DamagedCompressedEntriesFailWithALogLineNamingThem) {
    const std::size_t record = Block() + Field(16) + Field(SubRecord() + 12);
    const std::uint32_t address = Field(record + 32);
    const std::size_t block = Field(8) + address;
    const std::vector<std::pair<const char*, std::function<void(QvaCorrupt*)>>> cases = {
        {"decode longer than the record", [=](QvaCorrupt* t) { t->SetField(record + 36, 1000); }},
        {"size no block could fill", [=](QvaCorrupt* t) { t->SetField(record + 36, 0xFFFFFFF0u); }},
        {"compressed size short of the block",
         [=](QvaCorrupt* t) { t->SetField(record + 40, t->Field(record + 40) - 1); }},
        {"cut token",
         [=](QvaCorrupt* t) {
             t->plain_[block + t->Field(record + 40) - 2] = t->plain_[block + 8];
             t->plain_[block + t->Field(record + 40) - 1] = 0x05;
         }},
        {"data past the file", [=](QvaCorrupt* t) { t->SetField(record + 32, 0x7FFFFFF0u); }},
        {"block shorter than its header", [=](QvaCorrupt* t) { t->SetField(record + 40, 4); }},
    };
    for (const auto& [what, damage] : cases) {
        const std::string kept = plain_;
        damage(this);
        QvaArchive archive;
        ASSERT_EQ(Open(&archive, plain_), 0) << what;
        EXPECT_EQ(ReadEntry(&archive, "SUB\\IN.TXT"), "<open failed>") << what;
        EXPECT_NE(ReadLog().find("SUB\\IN.TXT"), std::string::npos) << what;
        EXPECT_EQ(ReadEntry(&archive, "A.TXT"), "hello") << what;
        CloseArchive(&archive);
        plain_ = kept;
    }
}

TEST_F(QvaCorrupt, TruncatedArchivesFailCleanly) {
    const std::string whole = Keyed(plain_);
    const std::string path = tree.write("cut.qva", "").string();
    for (std::size_t size = 0; size < whole.size(); size += size < 64 ? 1 : 97) {
        tree.write("cut.qva", whole.substr(0, size));
        for (int mode = 0; mode < 2; ++mode) {
            QvaArchive archive;
            const int opened =
                mode == 0 ? OpenArchiveDirectory(&archive, path.c_str(), nullptr)
                          : OpenArchiveMemoryImage(
                                &archive, reinterpret_cast<const std::uint8_t*>(whole.data()), size,
                                nullptr);
            if (opened == 0) {
                for (const char* entry : {"A.TXT", "SUB\\IN.TXT"}) {
                    const std::string data = ReadEntry(&archive, entry);
                    EXPECT_TRUE(data == "<open failed>" || data == "hello" ||
                                data == test::RepetitiveBytes(2000))
                        << size;
                }
                CloseArchive(&archive);
            }
        }
    }
}

}  // namespace
}  // namespace layer
