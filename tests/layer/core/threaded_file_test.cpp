#include <gtest/gtest.h>

#include <dirent.h>

#include <chrono>
#include <string>
#include <thread>

#include "layer/core/file_messages_texts.h"
#include "layer/core/threaded_file.h"
#include "platform/file_hooks.h"
#include "tests/layer/core/file_fixture.h"
#include "tests/layer/core/qva_fixture.h"

namespace layer {
namespace {

// Threads of the process. One thread is started and joined first, so that helper threads a
// sanitizer's runtime starts with the first thread are already counted.
int ThreadCount() {
    static const bool warmed = [] {
        std::thread([] {}).join();
        return true;
    }();
    (void)warmed;
    int count = 0;
    DIR* tasks = opendir("/proc/self/task");
    while (dirent* entry = readdir(tasks)) {
        count += entry->d_name[0] != '.' ? 1 : 0;
    }
    closedir(tasks);
    return count;
}

void WaitIdle(FileHandle file) {
    while (PlainFileIdle(file) == 0) {
        std::this_thread::yield();
    }
}

class ThreadedFileTest : public test::FileTest {
  protected:
    void TearDown() override {
        platform::SetReadDelayMilliseconds(0);
        platform::FailNextOpens(0);
        test::FileTest::TearDown();
    }
};

TEST_F(ThreadedFileTest, MissingFileFailsWithoutALogLine) {
    const std::string before = ReadLog();
    EXPECT_EQ(OpenThreadedFile(GamePath("missing.bin").c_str(), 0, 1, 1), 0u);
    EXPECT_EQ(ReadLog(), before);
}

TEST_F(ThreadedFileTest, FailingWorkerOpenLogsAndLeavesNoThread) {
    tree.write("a.bin", "abc");
    const int threads = ThreadCount();
    platform::FailNextOpens(1);
    EXPECT_EQ(OpenThreadedFile(GamePath("a.bin").c_str(), 0, 1, 1), 0u);
    const std::string text = kFileOpenFailedText;
    EXPECT_NE(ReadLog().find(text.substr(0, text.size() - 1)), std::string::npos);
    EXPECT_EQ(ThreadCount(), threads);
}

TEST_F(ThreadedFileTest, AsynchronousReadReturnsAtOnceAndIsIdleLater) {
    tree.write("a.bin", "0123456789");
    const FileHandle file = OpenThreadedFile(GamePath("a.bin").c_str(), 0, 1, 1);
    ASSERT_NE(file, 0u);
    platform::SetReadDelayMilliseconds(100);
    char buffer[8] = {};
    EXPECT_EQ(PlainFileRead(buffer, 2, 3, file), 3);
    EXPECT_EQ(PlainFileTell(file), 6);
    EXPECT_EQ(PlainFileIdle(file), 0);
    WaitIdle(file);
    EXPECT_STREQ(buffer, "012345");
    CloseThreadedFile(file);
}

TEST_F(ThreadedFileTest, SeekThenReadRunInOrder) {
    tree.write("a.bin", "0123456789");
    const FileHandle file = OpenThreadedFile(GamePath("a.bin").c_str(), 0, 1, 1);
    platform::SetReadDelayMilliseconds(20);
    char buffer[4] = {};
    EXPECT_EQ(PlainFileRead(buffer, 1, 1, file), 1);
    EXPECT_EQ(PlainFileSeek(file, 7, 0), 0);
    EXPECT_EQ(PlainFileRead(buffer + 1, 1, 2, file), 2);
    WaitIdle(file);
    EXPECT_STREQ(buffer, "078");
    CloseThreadedFile(file);
}

TEST_F(ThreadedFileTest, CloseWaitsForAReadInFlight) {
    tree.write("a.bin", "0123456789");
    const int threads = ThreadCount();
    const FileHandle file = OpenThreadedFile(GamePath("a.bin").c_str(), 0, 1, 1);
    platform::SetReadDelayMilliseconds(100);
    char buffer[11] = {};
    EXPECT_EQ(PlainFileRead(buffer, 10, 1, file), 1);
    EXPECT_EQ(CloseThreadedFile(file), 0);
    EXPECT_STREQ(buffer, "0123456789");
    EXPECT_EQ(ThreadCount(), threads);
}

// A waited read past what the file still holds (it shrank after the open) reports what came.
TEST_F(ThreadedFileTest, WaitedReadReportsTheBytesActuallyRead) {
    tree.write("a.bin", "0123456789");
    const FileHandle file = OpenThreadedFile(GamePath("a.bin").c_str(), 1, 1, 0);
    ASSERT_NE(file, 0u);
    tree.write("a.bin", "0123");
    char buffer[11] = {};
    EXPECT_EQ(PlainFileRead(buffer, 2, 5, file), 2);
    EXPECT_EQ(PlainFileTell(file), 4);
    CloseThreadedFile(file);
}

TEST_F(ThreadedFileTest, CachedSequentialReadsEqualDirectOnes) {
    const std::string data = test::NoiseBytes(300000, 3);
    tree.write("big.bin", data);
    const std::string path = GamePath("big.bin");
    const FileHandle cached = OpenThreadedFile(path.c_str(), 1, 1, 0);
    const FileHandle direct = OpenThreadedFile(path.c_str(), 0, 1, 0);
    ASSERT_NE(cached, 0u);
    ASSERT_NE(direct, 0u);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));  // let the read-ahead run
    for (const int chunk : {1000, 70000, 1, 100000, 65536, 200000}) {
        if (chunk == 1) {
            PlainFileSeek(cached, 12345, 1);
            PlainFileSeek(direct, 12345, 1);
        }
        std::string a(static_cast<std::size_t>(chunk), '\0');
        std::string b(static_cast<std::size_t>(chunk), '\0');
        EXPECT_EQ(PlainFileRead(a.data(), 1, chunk, cached),
                  PlainFileRead(b.data(), 1, chunk, direct));
        EXPECT_EQ(a, b);
        EXPECT_EQ(PlainFileTell(cached), PlainFileTell(direct));
        EXPECT_EQ(PlainFileEof(cached), PlainFileEof(direct));
    }
    CloseThreadedFile(cached);
    CloseThreadedFile(direct);
}

}  // namespace
}  // namespace layer
