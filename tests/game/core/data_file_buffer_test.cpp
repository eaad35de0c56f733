#include "game/core/data_file_buffer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace game {
namespace {

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<std::uint8_t> bytes;
    for (int value : values)
        bytes.push_back(static_cast<std::uint8_t>(value));
    return bytes;
}

TEST(DataFileBuffer, WritesReadBackInOrder) {
    DataFileBuffer writer;
    writer.WriteDataByte(0xAB);
    writer.WriteDataInt(-2);
    writer.WriteDataShort(0xBEEF);
    writer.WriteDataString("\x95\x5C");  // "表": 0x5C is a trail byte here
    DataFileBuffer reader(writer.TakeData());
    EXPECT_EQ(reader.ReadDataByte(), 0xAB);
    EXPECT_EQ(reader.ReadDataInt(), -2);
    EXPECT_EQ(reader.ReadDataShort(), 0xBEEF);
    EXPECT_EQ(reader.ReadDataString(), "\x95\x5C");
    EXPECT_EQ(reader.remaining(), 0u);
    EXPECT_FALSE(reader.damaged());
}

TEST(DataFileBuffer, StringsEndAtTheirFirstNulAndLengthZeroIsEmpty) {
    struct Case {
        std::vector<std::uint8_t> image;
        std::string text;
        int position;
    };
    const Case cases[] = {
        {Bytes({4, 0, 0, 0, 'a', 0, 'b', 0}), "a", 8},
        {Bytes({0, 0, 0, 0, 'x'}), "", 4},
        {Bytes({2, 0, 0, 0, 'a', 'b'}), "ab", 6},
    };
    for (const Case& c : cases) {
        DataFileBuffer cursor(c.image);
        EXPECT_EQ(cursor.ReadDataString(), c.text);
        EXPECT_EQ(cursor.GetDataPosition(), c.position);
        EXPECT_FALSE(cursor.damaged());
    }
}

TEST(DataFileBuffer, OverrunsAndBadCountsMarkTheImageDamagedForGood) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> image;
        void (*read)(DataFileBuffer&);
    };
    const Case cases[] = {
        {"short int", Bytes({1, 2, 3}), [](DataFileBuffer& c) { c.ReadDataInt(); }},
        {"negative length", Bytes({0xFF, 0xFF, 0xFF, 0xFF}),
         [](DataFileBuffer& c) { c.ReadDataString(); }},
        {"length past end", Bytes({9, 0, 0, 0, 'a'}),
         [](DataFileBuffer& c) { c.ReadDataString(); }},
        {"negative count", Bytes({0xFE, 0xFF, 0xFF, 0xFF}),
         [](DataFileBuffer& c) { EXPECT_EQ(c.ReadDataCount(1), 0); }},
        {"count too large", Bytes({3, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8}),
         [](DataFileBuffer& c) { EXPECT_EQ(c.ReadDataCount(4), 0); }},
        {"seek outside", Bytes({1}), [](DataFileBuffer& c) { c.SeekData(2); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DataFileBuffer cursor(c.image);
        c.read(cursor);
        EXPECT_TRUE(cursor.damaged());
        const int position = cursor.GetDataPosition();
        EXPECT_EQ(cursor.ReadDataByte(), 0);
        EXPECT_EQ(cursor.GetDataPosition(), position);
    }
}

TEST(DataFileBuffer, ACountThatFitsExactlyIsAccepted) {
    DataFileBuffer cursor(Bytes({2, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(cursor.ReadDataCount(4), 2);
    EXPECT_FALSE(cursor.damaged());
}

}  // namespace
}  // namespace game
