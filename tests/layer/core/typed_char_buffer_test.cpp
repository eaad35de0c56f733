#include "layer/core/typed_char_buffer.h"

#include <gtest/gtest.h>

#include "layer/core/window_state.h"

namespace {

class TypedChars : public testing::Test {
  protected:
    void SetUp() override { layer::typed_char_buffer = {}; }
    void TearDown() override { layer::typed_char_buffer = {}; }
};

TEST_F(TypedChars, RingHoldsOneByteLessThanItsSizeAcrossTheWrap) {
    layer::typed_char_buffer.read = layer::typed_char_buffer.write = 1000;
    for (int i = 0; i < 1024; ++i) {
        ASSERT_EQ(layer::PushTypedChar(static_cast<unsigned char>('a' + i % 26)), 0) << i;
    }
    EXPECT_EQ(layer::IsTypedCharBufferFull(), 1);
    EXPECT_EQ(layer::PushTypedChar('z'), -1);
    unsigned char character[2];
    for (int i = 0; i < 1024; ++i) {
        ASSERT_EQ(layer::ReadTypedChar(character, 1), 1);
        ASSERT_EQ(character[0], 'a' + i % 26);
    }
    EXPECT_EQ(layer::ReadTypedChar(character, 1), 0);
}

TEST_F(TypedChars, TwoByteCharacterWaitsForItsSecondByte) {
    unsigned char character[2] = {};
    layer::PushTypedChar(0x95);
    EXPECT_EQ(layer::ReadTypedChar(character, 1), 0);
    layer::PushTypedChar(0x5C);
    EXPECT_EQ(layer::ReadTypedChar(character, 0), 2);
    EXPECT_EQ(layer::ReadTypedChar(character, 1), 2);
    EXPECT_EQ(character[0], 0x95);
    EXPECT_EQ(character[1], 0x5C);
    EXPECT_EQ(layer::ReadTypedChar(character, 1), 0);
}

TEST_F(TypedChars, EditingCodesAreSingleBytes) {
    layer::PushTypedChar(0x1D);
    layer::PushTypedChar(0x81);
    unsigned char character[2];
    EXPECT_EQ(layer::ReadTypedChar(character, 1), 1);
    EXPECT_EQ(character[0], 0x1D);
}

TEST_F(TypedChars, FlushWithoutAWindowEmptiesTheRing) {
    layer::window_state = {};
    layer::PushTypedChar('a');
    layer::PushTypedChar(0);
    layer::PushTypedChar('b');
    EXPECT_EQ(layer::FlushTypedChars(), 0);
    unsigned char character[2];
    EXPECT_EQ(layer::ReadTypedChar(character, 1), 0);
}

}  // namespace
