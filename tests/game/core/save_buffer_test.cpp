#include "game/core/save_buffer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace game {
namespace {

TEST(SaveBuffer, WritesGrowTheBlockAndReadBack) {
    SaveBuffer writer;
    writer.WriteByte(7);
    writer.WriteInt(-5);
    writer.WriteString("\x95\x5C");
    EXPECT_EQ(writer.end(), 1u + 4u + 4u + 3u);
    EXPECT_EQ(writer.lastLength(), 1u);

    SaveBuffer reader(writer.block());
    std::uint8_t byte = 0;
    std::int32_t number = 0;
    std::string text;
    ASSERT_TRUE(reader.ReadByte(byte));
    ASSERT_TRUE(reader.ReadInt(number));
    ASSERT_TRUE(reader.ReadString(text));
    EXPECT_EQ(byte, 7);
    EXPECT_EQ(number, -5);
    EXPECT_EQ(text, "\x95\x5C");
    EXPECT_FALSE(reader.readPastEnd());
}

TEST(SaveBuffer, ReadingPastTheEndIsStickyAndMovesNothing) {
    SaveBuffer reader(std::vector<std::uint8_t>{1, 2, 3, 4, 5});
    std::int32_t number = 0;
    std::uint8_t byte = 0;
    ASSERT_TRUE(reader.ReadInt(number));
    EXPECT_FALSE(reader.ReadInt(number));
    EXPECT_TRUE(reader.readPastEnd());
    EXPECT_FALSE(reader.ReadByte(byte));  // the byte is there, but the flag stays
    EXPECT_EQ(reader.position(), 4u);
}

TEST(SaveBuffer, OlderSavesUseSixteenBitStringLengths) {
    for (std::uint16_t version : {110, 111}) {
        SaveBuffer writer;
        writer.set_version(version);
        writer.WriteString("abc");
        EXPECT_EQ(writer.end(), version < 111 ? 6u : 8u);
        SaveBuffer reader(writer.block());
        reader.set_version(version);
        std::string text;
        ASSERT_TRUE(reader.ReadString(text));
        EXPECT_EQ(text, "abc");
    }
}

TEST(SaveBuffer, BadLengthsAndCountsSetTheFlag) {
    SaveBuffer negative(std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF});
    std::string text;
    EXPECT_FALSE(negative.ReadString(text));
    EXPECT_TRUE(negative.readPastEnd());

    // In older saves the 16-bit length is signed too: 0x8000 is negative, not 32768.
    std::vector<std::uint8_t> old_block(0x8002);
    old_block[1] = 0x80;
    SaveBuffer old_negative(old_block);
    old_negative.set_version(110);
    EXPECT_FALSE(old_negative.ReadString(text));
    EXPECT_TRUE(old_negative.readPastEnd());

    SaveBuffer counts(std::vector<std::uint8_t>(8));
    EXPECT_TRUE(counts.CountFits(2, 4));
    EXPECT_FALSE(counts.CountFits(3, 4));
    EXPECT_TRUE(counts.readPastEnd());
}

}  // namespace
}  // namespace game
