#include "layer/core/tracked_memory.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "tests/layer/core/log_capture.h"
#include "tests/support/sjis.h"

namespace {

using layer::TrackedBlockHeader;

TrackedBlockHeader* HeaderOf(void* block) {
    return reinterpret_cast<TrackedBlockHeader*>(block) - 1;
}

// The start of a block's log line up to "data:<", with its serial and address.
std::string LinePrefix(void* block, const char* size_text, const char* name, int line) {
    char text[200];
    std::snprintf(text, sizeof(text),
                  "\tsize:%s  file:%s  line:%d  ID:%d  addr:%016" PRIxPTR "  data:<", size_text,
                  name, line, HeaderOf(block)->serial, reinterpret_cast<std::uintptr_t>(block));
    return text;
}

std::string TotalsLine() {
    const layer::TrackedTotals totals = layer::ReadTrackedTotals();
    char text[100];
    std::snprintf(text, sizeof(text), "0:\tTotal size:%zu(%.3fkb)  Alloc num:%zu\r\n", totals.size,
                  totals.size / 1024.0, totals.count);
    return text;
}

class TrackedMemoryTest : public test::LogCapture {};

TEST_F(TrackedMemoryTest, BlocksAre16AlignedAndFreeReportsSuccess) {
    void* block = layer::AllocTracked(1, "a.cpp", 1);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % 16, 0u);
    EXPECT_EQ(layer::FreeTracked(block), 1);
    EXPECT_EQ(layer::FreeTracked(nullptr), 0);
    EXPECT_EQ(ReadLog(), "");
}

TEST_F(TrackedMemoryTest, NameKeepsItsLast15Bytes) {
    struct NameCase {
        const char* given;
        const char* stored;
    };
    for (const NameCase& name : {NameCase{"abcdefghijklmnopqrst", "fghijklmnopqrst"},
                                 NameCase{"exactly15bytes!", "exactly15bytes!"},
                                 NameCase{"short.cpp", "short.cpp"}, NameCase{nullptr, ""}}) {
        void* block = layer::AllocTracked(4, name.given, 70000);
        EXPECT_STREQ(HeaderOf(block)->name, name.stored);
        EXPECT_EQ(HeaderOf(block)->line, 70000 - 65536);
        layer::FreeTracked(block);
    }
}

TEST_F(TrackedMemoryTest, ZeroSizeBlocksAreLogged) {
    void* block = layer::AllocTracked(0, "zero.cpp", 12);
    const std::string allocated = LinePrefix(block, "0(0.000kb)", "zero.cpp", 12) + "> ]\r\n";
    void* resized = layer::ReallocTracked(layer::AllocTracked(8, "r.cpp", 3), 0, "again.cpp", 4);
    const std::string reallocated = LinePrefix(resized, "0(0.000kb)", "again.cpp", 4) + "> ]\r\n";
    layer::FreeTracked(block);
    EXPECT_EQ(ReadLog(), "0:mem alloc  " + allocated + "0:mem realloc  " + reallocated +
                             "0:mem free  " + allocated);
    layer::FreeTracked(resized);
}

TEST_F(TrackedMemoryTest, AllocResizeFreeLeavesTotalsAsBefore) {
    const layer::TrackedTotals before = layer::ReadTrackedTotals();
    auto* block = static_cast<char*>(layer::AllocTracked(3, "t.cpp", 1));
    std::memcpy(block, "xyz", 3);
    block = static_cast<char*>(layer::ReallocTracked(block, 4096, "t.cpp", 2));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(std::string(block, 3), "xyz");
    EXPECT_EQ(std::string(block + 3, 4093), std::string(4093, '\0'));
    EXPECT_EQ(layer::ReadTrackedTotals().size, before.size + 4096);
    EXPECT_EQ(layer::ReadTrackedTotals().count, before.count + 1);
    EXPECT_EQ(layer::CheckTrackedBlocks(), 0);
    layer::FreeTracked(block);
    EXPECT_EQ(layer::ReadTrackedTotals().size, before.size);
    EXPECT_EQ(layer::ReadTrackedTotals().count, before.count);
}

TEST_F(TrackedMemoryTest, FreeingAHeldBlockZeroesItsRecord) {
    const layer::TrackedTotals before = layer::ReadTrackedTotals();
    layer::HeldBlock held{layer::AllocTracked(64, "ring.cpp", 9), {3, 7, 4, 64}};
    EXPECT_EQ(layer::FreeHeldBlock(&held), 0);
    EXPECT_EQ(held.block, nullptr);
    for (const int count : held.counts) {
        EXPECT_EQ(count, 0);
    }
    EXPECT_EQ(layer::ReadTrackedTotals().count, before.count);
    EXPECT_EQ(layer::FreeHeldBlock(&held), 0);
}

TEST_F(TrackedMemoryTest, ReallocOfNullAllocates) {
    void* block = layer::ReallocTracked(nullptr, 10, "n.cpp", 5);
    ASSERT_NE(block, nullptr);
    EXPECT_STREQ(HeaderOf(block)->name, "n.cpp");
    layer::FreeTracked(block);
}

// A failed allocation dumps every live block, newest first, and the totals.
TEST_F(TrackedMemoryTest, FailedAllocationDumpsBlocks) {
    void* older = layer::AllocTrackedZeroed(20, "dump.cpp", 30);
    std::memcpy(older, "ABC", 3);
    void* newer = layer::AllocTrackedZeroed(2, "dump.cpp", 31);
    static_cast<char*>(newer)[0] = '\x7f';
    static_cast<char*>(newer)[1] = '\x80';

    layer::FailNextTrackedAllocation();
    EXPECT_EQ(layer::AllocTracked(8, "fail.cpp", 1), nullptr);
    const std::string log = ReadLog();
    const std::string expected_start =
        "0:\r\n0:Alloc memory dump\r\n0:" + LinePrefix(newer, "2(0.002kb)", "dump.cpp", 31) +
        "\x7f.> [7f 80]\r\n0:" + LinePrefix(older, "20(0.020kb)", "dump.cpp", 30) +
        "ABC.............> [41 42 43 00 00 00 00 00 00 00 00 00 00 00 00 00]\r\n";
    EXPECT_EQ(log.substr(0, expected_start.size()), expected_start);
    const std::string expected_end = TotalsLine() + "0:\r\n";
    ASSERT_GE(log.size(), expected_end.size());
    EXPECT_EQ(log.substr(log.size() - expected_end.size()), expected_end);

    layer::FreeTracked(newer);
    layer::FreeTracked(older);
}

TEST_F(TrackedMemoryTest, FreeingTheHeadMakesItsNextTheHead) {
    void* older = layer::AllocTracked(1, "head.cpp", 1);
    void* newer = layer::AllocTracked(1, "head.cpp", 2);
    layer::FreeTracked(newer);
    layer::FailNextTrackedAllocation();
    layer::AllocTracked(1, "fail.cpp", 3);
    const std::string first_line =
        "0:\r\n0:Alloc memory dump\r\n0:" + LinePrefix(older, "1(0.001kb)", "head.cpp", 1);
    EXPECT_EQ(ReadLog().substr(0, first_line.size()), first_line);
    layer::FreeTracked(older);
}

TEST_F(TrackedMemoryTest, SizesTooLargeForTheHeaderFail) {
    const layer::TrackedTotals before = layer::ReadTrackedTotals();
    void* block = layer::AllocTracked(16, "big.cpp", 1);
    for (const std::size_t size : {SIZE_MAX, SIZE_MAX - layer::kTrackedHeaderSize + 1,
                                   std::size_t{UINT32_MAX}, static_cast<std::size_t>(-1)}) {
        SCOPED_TRACE(size);
        EXPECT_EQ(layer::AllocTracked(size, "big.cpp", 2), nullptr);
        EXPECT_EQ(layer::AllocTrackedZeroed(size, "big.cpp", 3), nullptr);
        EXPECT_EQ(layer::ReallocTracked(block, size, "big.cpp", 4), nullptr);
    }
    EXPECT_NE(ReadLog().find("Alloc memory dump"), std::string::npos);
    EXPECT_EQ(HeaderOf(block)->size, 16u);
    EXPECT_EQ(layer::CheckTrackedBlocks(), 0);
    layer::FreeTracked(block);
    EXPECT_EQ(layer::ReadTrackedTotals().count, before.count);
}

TEST_F(TrackedMemoryTest, FailedResizeKeepsTheBlock) {
    auto* block = static_cast<char*>(layer::AllocTracked(4, "keep.cpp", 1));
    std::memcpy(block, "data", 4);
    layer::FailNextTrackedAllocation();
    EXPECT_EQ(layer::ReallocTracked(block, 64, "keep.cpp", 2), nullptr);
    EXPECT_EQ(std::string(block, 4), "data");
    EXPECT_EQ(HeaderOf(block)->line, 1);
    EXPECT_EQ(layer::CheckTrackedBlocks(), 0);
    layer::FreeTracked(block);
}

TEST_F(TrackedMemoryTest, OverwrittenHeaderIsReported) {
    void* block = layer::AllocTracked(1, "broken.cpp", 9);
    static_cast<char*>(block)[0] = 'q';
    char* name = HeaderOf(block)->name;
    name[5] = 'X';
    EXPECT_EQ(layer::CheckTrackedBlocks(), -1);
    EXPECT_EQ(ReadLog(), "0:" + test::Sjis(u8"以下のメモリ確保情報が破損しました") +
                             LinePrefix(block, "1(0.001kb)", "brokeX.cpp", 9) + "q> [71]\r\n");
    name[5] = 'n';
    EXPECT_EQ(layer::CheckTrackedBlocks(), 0);
    layer::FreeTracked(block);
}

TEST_F(TrackedMemoryTest, ThreadsShareTheList) {
    const layer::TrackedTotals before = layer::ReadTrackedTotals();
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([] {
            for (int i = 0; i < 2000; ++i) {
                void* block = layer::AllocTracked(32, "thread.cpp", i);
                block = layer::ReallocTracked(block, 64, "thread.cpp", i);
                layer::FreeTracked(block);
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(layer::CheckTrackedBlocks(), 0);
    EXPECT_EQ(layer::ReadTrackedTotals().count, before.count);
    EXPECT_EQ(layer::ReadTrackedTotals().size, before.size);
}

}  // namespace
