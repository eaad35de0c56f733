#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "layer/core/file_operation_table.h"
#include "layer/core/full_path.h"
#include "layer/core/handle_list.h"
#include "layer/core/stream_functions.h"
#include "layer/core/temporary_file.h"
#include "layer/core/threaded_file.h"
#include "layer/core/tracked_memory.h"
#include "tests/layer/core/file_fixture.h"
#include "tests/support/case_name.h"
#include "tests/support/fifo_in_place.h"
#include "tests/support/sjis.h"

namespace layer {
namespace {

using FileOperations = test::FileTest;

struct Reads {
    int element_size;
    int count;
    int result;
    std::string bytes;
    int eof;
};

// Ten bytes read as a direct file: whole elements only, a partial last element reads nothing.
TEST_F(FileOperations, DirectFileReadsWholeElements) {
    tree.write("ten.bin", "0123456789");
    const FileHandle file = OpenThreadedFile(GamePath("ten.bin").c_str(), 0, 1, 0);
    ASSERT_NE(file, 0u);
    for (const Reads& step : {Reads{4, 3, 2, "01234567", 0}, Reads{4, 1, 0, "", -1},
                              Reads{1, 5, 2, "89", 0}, Reads{0, 5, 0, "", 0}}) {
        if (step.element_size == 1) {
            PlainFileSeek(file, 8, 0);
        }
        char buffer[16] = {};
        EXPECT_EQ(PlainFileRead(buffer, step.element_size, step.count, file), step.result);
        EXPECT_EQ(std::string(buffer), step.bytes);
        EXPECT_EQ(PlainFileEof(file), step.eof);
    }
    EXPECT_EQ(PlainFileSeek(file, -11, 2), -1);
    EXPECT_EQ(PlainFileSeek(file, 5, 2), 0) << "a seek past the end is allowed";
    EXPECT_EQ(PlainFileTell(file), 15);
    char buffer[4];
    EXPECT_EQ(PlainFileRead(buffer, 1, 4, file), 0);
    EXPECT_EQ(PlainFileEof(file), -1);
    EXPECT_EQ(CloseThreadedFile(file), 0);
    EXPECT_EQ(CloseThreadedFile(file), -1);
}

// The same ten bytes as a memory stream: the rest of a partial element comes as one.
TEST_F(FileOperations, MemoryStreamReadsWholeElementsThenTheRest) {
    const char data[] = "0123456789";
    const StreamFunctions& memory = *GetMemoryStreamFunctions();
    const StreamValue stream = OpenMemoryStream(data, 10);
    ASSERT_NE(stream, 0u);
    for (const Reads& step :
         {Reads{4, 3, 2, "01234567", 0}, Reads{4, 3, 1, "89", 0}, Reads{4, 3, 0, "", -1}}) {
        char buffer[16] = {};
        EXPECT_EQ(memory.read(buffer, step.element_size, step.count, stream), step.result);
        EXPECT_EQ(std::string(buffer), step.bytes);
        EXPECT_EQ(memory.eof(stream), step.eof);
    }
    EXPECT_EQ(memory.seek(-5, 0, stream), 0);
    EXPECT_EQ(memory.tell(stream), 0);
    EXPECT_EQ(memory.seek(5, 2, stream), 0);
    EXPECT_EQ(memory.tell(stream), 10);
    EXPECT_EQ(memory.idle(stream), 1);
    EXPECT_EQ(memory.close(stream), 0);
}

TEST_F(FileOperations, FileStreamsReadThroughTheTableInForce) {
    tree.write("a.txt", "abc");
    const StreamFunctions& files = *GetFileStreamFunctions();
    const StreamValue stream = OpenDataFile(GamePath("a.txt").c_str(), 0);
    ASSERT_NE(stream, 0u);
    char buffer[4] = {};
    EXPECT_EQ(files.read(buffer, 1, 3, stream), 3);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(files.seek(-2, 2, stream), 0);
    EXPECT_EQ(files.tell(stream), 1);
    EXPECT_EQ(files.idle(stream), 1);
    EXPECT_EQ(files.eof(stream), 0);
    EXPECT_EQ(files.close(stream), 0);
}

std::vector<int> ReadLines(FileHandle file, int capacity, std::vector<std::string>* lines) {
    std::vector<int> results;
    std::vector<char> buffer(static_cast<std::size_t>(capacity));
    for (int i = 0; i < 10; ++i) {
        const int result = ReadDataFileLine(buffer.data(), capacity, file);
        results.push_back(result);
        if (result < 0) {
            break;
        }
        lines->push_back(std::string(buffer.data(), static_cast<std::size_t>(result)));
    }
    return results;
}

struct LineCase {
    const char* what;
    std::string content;
    int capacity;
    std::vector<std::string> lines;
    friend void PrintTo(const LineCase& c, std::ostream* os) { *os << c.what; }
};

class ReadDataFileLineCases : public test::FileTest,
                              public testing::WithParamInterface<LineCase> {};

TEST_P(ReadDataFileLineCases, SplitLikeTheGameExpects) {
    const LineCase& c = GetParam();
    tree.write("lines.txt", c.content);
    const FileHandle file = OpenDataFile(GamePath("lines.txt").c_str(), 0);
    ASSERT_NE(file, 0u);
    std::vector<std::string> lines;
    const std::vector<int> results = ReadLines(file, c.capacity, &lines);
    EXPECT_EQ(lines, c.lines);
    EXPECT_EQ(results.back(), -1);
    CloseDataFile(file);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ReadDataFileLineCases,
    testing::Values(LineCase{"CR LF ends a line", "ab\r\ncd", 100, {"ab", "cd"}},
                    LineCase{"lone CR and LF stay", "a\rb\nc", 100, {"a\rb\nc"}},
                    LineCase{"character across the capacity",
                             "ab" + test::Sjis(u8"表") + "c",
                             4,
                             {"ab", test::Sjis(u8"表") + "c"}},
                    LineCase{
                        "CR ending a chunk stays in its line", "abc\r\nd", 5, {"abc\r", "\nd"}},
                    LineCase{"zero byte ends the line", std::string("ab\0cd", 5), 100, {"ab"}},
                    LineCase{"capacity 3 still steps through a character",
                             test::Sjis(u8"表表"),
                             3,
                             {test::Sjis(u8"表"), test::Sjis(u8"表")}},
                    LineCase{"empty file", "", 100, {}}),
    [](const auto& info) { return test::CaseName(info.param.what); });

TEST_F(FileOperations, ReadDataFileLineRefusesCapacitiesTooSmallForACharacter) {
    tree.write("a.txt", test::Sjis(u8"表"));
    const FileHandle file = OpenDataFile(GamePath("a.txt").c_str(), 0);
    char buffer[2];
    EXPECT_EQ(ReadDataFileLine(buffer, 2, file), -1);
    CloseDataFile(file);
}

TEST_F(FileOperations, DataFileSizeOfAMissingFileLeavesNothingOpen) {
    tree.write("seven.txt", "1234567");
    const TrackedTotals before = ReadTrackedTotals();
    EXPECT_EQ(GetDataFileSize(GamePath("seven.txt").c_str()), 7);
    EXPECT_EQ(GetDataFileSize(GamePath("missing.txt").c_str()), -1);
    EXPECT_EQ(Archives().open_count, 0);
    EXPECT_EQ(ReadTrackedTotals().count, before.count);
}

// A FIFO or a folder in place of a file is a file that cannot be read, as a missing one is,
// whether opened directly or through the file access thread; nothing waits on the FIFO.
TEST_F(FileOperations, AFifoOrAFolderCannotBeOpened) {
    const test::FifoInPlace fifo(tree.path("fifo.dat"));
    ASSERT_TRUE(fifo.made());
    std::filesystem::create_directory(tree.path("folder.dat"));
    for (const char* name : {"fifo.dat", "folder.dat", "missing.dat"}) {
        const std::string path = GamePath(name);
        EXPECT_EQ(OpenDataFile(path.c_str(), 0), 0u) << name;
        EXPECT_EQ(GetDataFileSize(path.c_str()), -1) << name;
        EXPECT_EQ(OpenThreadedFile(path.c_str(), 0, 1, 1), 0u) << name;
    }
    EXPECT_EQ(Archives().open_count, 0);
}

struct FullPathCase {
    const char* what;
    const char* path;
    const char* base;
    int result;
    std::string full;
    friend void PrintTo(const FullPathCase& c, std::ostream* os) { *os << c.what; }
};

class MakeFullPathCases : public testing::TestWithParam<FullPathCase> {};

TEST_P(MakeFullPathCases, ResolveAgainstTheBase) {
    const FullPathCase& c = GetParam();
    std::string full = "unchanged";
    EXPECT_EQ(MakeFullPath(c.path, &full, c.base), c.result);
    if (c.result == 0) {
        EXPECT_EQ(full, c.full);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, MakeFullPathCases,
    testing::Values(FullPathCase{"parent of the base", "..\\x", "C:\\a\\b", 0, "C:\\a\\x"},
                    FullPathCase{"root of the base drive", "\\y", "C:\\a\\b", 0, "C:\\y"},
                    FullPathCase{"doubled separator refused", "a\\\\b", "C:\\a\\b", -1, ""},
                    FullPathCase{"parents stop at the drive", "..\\..\\..\\x", "C:\\a", 0, "C:\\x"},
                    FullPathCase{"other drive, dot dropped", "D:\\q\\.\\r", "C:\\a", 0, "D:\\q\\r"},
                    FullPathCase{"slashes become separators", "x/y", "C:\\a\\", 0, "C:\\a\\x\\y"},
                    FullPathCase{"root without a drive", "\\y", "\\home\\game", 0, "\\y"},
                    FullPathCase{"parents stop at the root", "..\\..\\..\\x", "\\home\\game", 0,
                                 "\\x"},
                    FullPathCase{"relative below the base", "Data\\x.dat", "\\home\\game", 0,
                                 "\\home\\game\\Data\\x.dat"},
                    FullPathCase{"the root alone", "\\", "\\home", 0, "\\"},
                    FullPathCase{"base ending in a 0x5C second byte", "x", "\\home\\\x95\x5C", 0,
                                 "\\home\\\x95\x5C\\x"},
                    FullPathCase{"no path gives the base", nullptr, "\\home", 0, "\\home"}),
    [](const auto& info) { return test::CaseName(info.param.what); });

TEST(HandleList, NewestNodeComesFirstAndUnlinkJoinsNeighbours) {
    HandleNode head;
    HandleNode tail;
    HandleNode a;
    HandleNode b;
    HandleNode c;
    ResetHandleList(&head, &tail);
    int data = 0;
    LinkHandleNode(&head, &a, 1, &data);
    LinkHandleNode(&head, &b, 2, nullptr);
    LinkHandleNode(&head, &c, 3, nullptr);
    UnlinkHandleNode(&b);
    std::vector<int> order;
    for (HandleNode* node = head.next; node != &tail; node = node->next) {
        order.push_back(node->handle);
        EXPECT_EQ(node->next->previous, node);
    }
    EXPECT_EQ(order, (std::vector<int>{3, 1}));
    EXPECT_EQ(a.data, &data);
    EXPECT_EQ(head.handle, -1);
    EXPECT_EQ(tail.handle, -1);
}

TEST_F(FileOperations, TemporaryFilesAreNewAndNamedTmp) {
    std::string first;
    std::string second;
    std::optional<platform::File> a = CreateTemporaryFile(&first);
    std::optional<platform::File> b = CreateTemporaryFile(&second);
    ASSERT_TRUE(a && b);
    EXPECT_NE(first, second);
    EXPECT_EQ(first.substr(first.rfind('\\') + 1, 3), "tmp");
    EXPECT_EQ(a->Write("movie", 5), 5);
    EXPECT_EQ(GetDataFileSize(first.c_str()), 5);
    platform::RemoveFile(first);
    platform::RemoveFile(second);
}

TEST_F(FileOperations, BuiltInSetFollowsTheSwitchUnlessACallerInstalledATable) {
    EXPECT_EQ(IsDefaultFileOperations(), 1);
    EnableArchiveFiles(0);
    EXPECT_EQ(PlainFilesFlag, 1);
    EXPECT_EQ(IsDefaultFileOperations(), 1);
    tree.write("x.txt", "x");
    const FileHandle plain = OpenDataFile(GamePath("x.txt").c_str(), 0);
    EXPECT_NE(plain, 0u);
    EXPECT_EQ(plain & 0xF0000000u, 0u) << "a plain-set handle";
    CloseDataFile(plain);

    FileOperationTable custom = PlainFileOperations();
    custom.tell = [](FileHandle) -> std::int64_t { return 42; };
    InstallFileOperations(&custom);
    EXPECT_EQ(IsDefaultFileOperations(), 0);
    EnableArchiveFiles(1);
    EXPECT_EQ(DispatchFileTell(0), 42) << "a caller's table stays";
    InstallFileOperations(nullptr);
    EXPECT_EQ(IsDefaultFileOperations(), 1);
    const FileHandle aware = OpenDataFile(GamePath("x.txt").c_str(), 0);
    EXPECT_EQ(aware & 0xF0000000u, 0xF0000000u);
    CloseDataFile(aware);
}

}  // namespace
}  // namespace layer
