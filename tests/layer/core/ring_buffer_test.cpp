#include "layer/core/ring_buffer.h"

#include <gtest/gtest.h>

#include <string>

#include "layer/core/tracked_memory.h"
#include "tests/layer/core/log_capture.h"
#include "tests/support/sjis.h"

namespace {

class RingBufferTest : public test::LogCapture {
  protected:
    void TearDown() override {
        layer::FreeRingBuffer(&ring_);
        LogCapture::TearDown();
    }

    std::string Take(int n, int peek = 0) {
        std::string bytes(static_cast<std::size_t>(n), '\0');
        EXPECT_EQ(layer::ReadRingBuffer(&ring_, n, bytes.data(), peek), 0);
        return bytes;
    }

    layer::RingBuffer ring_;
};

// 1000 bytes in a ring of 2000, 900 of them taken: the next 1500 fill the last 1000 bytes
// and wrap 500 to the start.
TEST_F(RingBufferTest, AppendAndReadWrapAtTheEnd) {
    const std::string first(1000, 'a');
    const std::string second = std::string(1000, 'b') + std::string(500, 'c');
    ASSERT_EQ(layer::AppendRingBuffer(&ring_, first.data(), 1000), 0);
    EXPECT_EQ(ring_.capacity, 2000);
    EXPECT_EQ(Take(900), std::string(900, 'a'));
    ASSERT_EQ(layer::AppendRingBuffer(&ring_, second.data(), 1500), 0);
    EXPECT_EQ(ring_.capacity, 2000);
    EXPECT_EQ(ring_.read, 900);
    EXPECT_EQ(ring_.write, 500);
    EXPECT_EQ(ring_.held, 1600);
    EXPECT_EQ(Take(1600, 1), std::string(100, 'a') + second);
    EXPECT_EQ(ring_.held, 1600);
    std::string more(1601, '\0');
    EXPECT_EQ(layer::ReadRingBuffer(&ring_, 1601, more.data(), 0), -1);
    EXPECT_EQ(Take(1600), std::string(100, 'a') + second);
    EXPECT_EQ(ring_.held, 0);
    EXPECT_EQ(ring_.read, ring_.write);
}

TEST_F(RingBufferTest, GrowingUnwrapsTheHeldBytesAtTheStart) {
    const std::string first(1000, 'a');
    const std::string second(1500, 'b');
    layer::AppendRingBuffer(&ring_, first.data(), 1000);
    Take(900);
    layer::AppendRingBuffer(&ring_, second.data(), 1500);
    ASSERT_EQ(layer::GrowRingBuffer(&ring_, 400), 0);
    EXPECT_EQ(ring_.capacity, 2000);
    ASSERT_EQ(layer::GrowRingBuffer(&ring_, 401), 0);
    EXPECT_EQ(ring_.capacity, 3001);
    EXPECT_EQ(ring_.read, 0);
    EXPECT_EQ(ring_.write, 1600);
    EXPECT_EQ(Take(1600), std::string(100, 'a') + second);
}

TEST_F(RingBufferTest, NothingToAppendLeavesTheRingAlone) {
    EXPECT_EQ(layer::AppendRingBuffer(&ring_, "", 0), 0);
    EXPECT_EQ(layer::AppendRingBuffer(&ring_, "", -1), -1);
    EXPECT_EQ(ring_.buffer, nullptr);
    EXPECT_EQ(ring_.held, 0);
    char byte = 0;
    EXPECT_EQ(layer::ReadRingBuffer(&ring_, 0, &byte, 0), 0);
    EXPECT_EQ(layer::ReadRingBuffer(&ring_, 1, &byte, 0), -1);
}

TEST_F(RingBufferTest, FailedGrowthEmptiesTheRingWithItsLines) {
    layer::AppendRingBuffer(&ring_, "abc", 3);
    const std::string more(2000, 'd');
    layer::FailNextTrackedAllocation();
    EXPECT_EQ(layer::AppendRingBuffer(&ring_, more.data(), 2000), -1);
    EXPECT_EQ(ring_.buffer, nullptr);
    EXPECT_EQ(ring_.held, 0);
    EXPECT_EQ(ring_.capacity, 0);
    const std::string log = ReadLog();
    EXPECT_NE(log.find(test::Sjis(
                  u8"リングバッファの再確保に失敗しました(確保しようとしたサイズ 3003 byte)\r\n")),
              std::string::npos);
    EXPECT_NE(log.find(test::Sjis(
                  u8"リングバッファへのデータの追加に失敗しました(追加する長さ 2000 byte)\r\n")),
              std::string::npos);
}

}  // namespace
