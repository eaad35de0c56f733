// Key-input strings on a started layer: their handles, the typed characters the pump applies,
// the clipboard, the colours and the test hook that confirms them.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "layer/core/clipboard.h"
#include "layer/core/layer_api.h"
#include "layer/core/message_pump.h"
#include "layer/core/text_input_records.h"
#include "layer/core/typed_char_buffer.h"
#include "layer/graphics/graphics_services.h"
#include "platform/message_queue.h"
#include "tests/layer/core/layer_fixture.h"
#include "tests/support/input_events.h"
#include "tests/support/sjis.h"
#include "tests/support/typed_text_confirm_scope.h"

namespace {

using test::Sjis;

class TextInput : public test::LayerTest {
  protected:
    void SetUp() override {
        LayerTest::SetUp();
        ASSERT_EQ(layer::InitializeLayer(), 0);
        while (platform::HasWindowMessage()) {
            layer::RunMessagePump();
        }
    }

    // An active input, typing as the player does.
    static int Active(int max_length, int escape_cancels = 0) {
        const int handle = layer::CreateTextInput(max_length, escape_cancels, 0, 0);
        EXPECT_GE(handle, 0);
        EXPECT_EQ(layer::ActivateTextInput(handle), 0);
        return handle;
    }

    static void Push(const std::string& bytes) {
        for (const char byte : bytes) {
            layer::PushTypedChar(static_cast<unsigned char>(byte));
        }
    }

    static std::string Text(int handle) {
        char text[2048] = {};
        EXPECT_EQ(layer::GetTextInputString(text, sizeof text, handle), 0);
        return text;
    }

    static int RingBytes() {
        return layer::kTypedCharBufferSize - 1 - layer::TypedCharBufferRoom();
    }

    test::TypedTextConfirmScope typing_{false};
};

TEST_F(TextInput, TheTableHolds256AndRefusesStaleHandles) {
    int handles[256];
    for (int& handle : handles) {
        handle = layer::CreateTextInput(4, 0, 0, 0);
        ASSERT_GE(handle, 0);
        EXPECT_EQ(handle >> 27, 10);
    }
    EXPECT_EQ(layer::CreateTextInput(4, 0, 0, 0), -1);
    EXPECT_EQ(layer::DeleteTextInput(handles[7]), 0);
    EXPECT_EQ(layer::GetTextInputState(handles[7]), -1);
    const int reused = layer::CreateTextInput(4, 0, 0, 0);
    EXPECT_EQ(reused & 0xFFFF, 7);
    EXPECT_NE(reused, handles[7]);
    EXPECT_EQ(layer::DeleteTextInput(handles[7]), -1);
    EXPECT_EQ(layer::GetTextInputState(reused), 0);
}

TEST_F(TextInput, TheCheckNumberWrapsAfter2048Creations) {
    const int first = layer::CreateTextInput(1, 0, 0, 0);
    ASSERT_EQ(layer::DeleteTextInput(first), 0);
    for (int i = 1; i < 2048; ++i) {
        ASSERT_EQ(layer::DeleteTextInput(layer::CreateTextInput(1, 0, 0, 0)), 0);
    }
    EXPECT_EQ(layer::CreateTextInput(1, 0, 0, 0), first);
}

TEST_F(TextInput, CreatingFlushesTheRingAndStartsTextInputUntilTheLastIsDeleted) {
    EXPECT_EQ(SDL_IsTextInputActive(), SDL_FALSE);
    Push("left over");
    const int one = layer::CreateTextInput(8, 0, 0, 0);
    EXPECT_EQ(RingBytes(), 0);
    EXPECT_EQ(SDL_IsTextInputActive(), SDL_TRUE);
    const int two = layer::CreateTextInput(8, 0, 0, 0);
    EXPECT_EQ(layer::DeleteTextInput(one), 0);
    EXPECT_EQ(SDL_IsTextInputActive(), SDL_TRUE);
    EXPECT_EQ(layer::DeleteTextInput(two), 0);
    EXPECT_EQ(SDL_IsTextInputActive(), SDL_FALSE);
}

TEST_F(TextInput, ANegativeMaximumFailsAndZeroTakesNothing) {
    EXPECT_EQ(layer::CreateTextInput(-1, 0, 0, 0), -1);
    const int empty = Active(0);
    Push("ab");
    layer::RunMessagePump();
    EXPECT_EQ(Text(empty), "");
}

TEST_F(TextInput, EnterEndsAndLeavesTheBytesBehindIt) {
    const int handle = Active(16);
    Push("ab\rcd");
    EXPECT_EQ(layer::GetTextInputState(handle), 0);
    layer::RunMessagePump();
    EXPECT_EQ(layer::GetTextInputState(handle), 1);
    EXPECT_EQ(Text(handle), "ab");
    EXPECT_EQ(RingBytes(), 2);
    layer::RunMessagePump();
    EXPECT_EQ(RingBytes(), 2);
    EXPECT_EQ(layer::DrawTextInput(0, 0, handle), -1);

    EXPECT_EQ(layer::ActivateTextInput(handle), 0);
    EXPECT_EQ(layer::GetTextInputState(handle), 1);
    EXPECT_EQ(layer::ActivateTextInput(-1), 0);
    EXPECT_EQ(layer::ActivateTextInput(handle), 0);
    EXPECT_EQ(layer::GetTextInputState(handle), 0);
}

TEST_F(TextInput, EscapeCancelsWithItsOption) {
    const int handle = Active(16, 1);
    Push("ab\x1B");
    layer::RunMessagePump();
    EXPECT_EQ(layer::GetTextInputState(handle), 2);
    EXPECT_EQ(Text(handle), "ab");
}

TEST_F(TextInput, ATwoByteCharacterWaitsForItsSecondByte) {
    const int handle = Active(16);
    Push("a\x82");
    layer::RunMessagePump();
    EXPECT_EQ(Text(handle), "a");
    Push("\xA0");
    layer::RunMessagePump();
    EXPECT_EQ(Text(handle), "a" + Sjis(u8"あ"));
}

TEST_F(TextInput, OnlyTheActiveInputTakesTypedCharacters) {
    const int first = Active(16);
    const int second = layer::CreateTextInput(16, 0, 0, 0);
    Push("x");
    layer::RunMessagePump();
    ASSERT_EQ(layer::ActivateTextInput(second), 0);
    Push("y");
    layer::RunMessagePump();
    EXPECT_EQ(Text(first), "x");
    EXPECT_EQ(Text(second), "y");
}

TEST_F(TextInput, ShiftSelectsAndCopyPutsTheSelectionOnTheClipboard) {
    const int handle = Active(16);
    Push(Sjis(u8"日本") + "a");
    layer::RunMessagePump();
    test::PushKey(SDL_SCANCODE_RSHIFT, true);
    Push("\x1A\x03");
    layer::RunMessagePump();
    test::PushKey(SDL_SCANCODE_RSHIFT, false);
    char copied[16] = {};
    ASSERT_EQ(layer::GetClipboardText(copied, sizeof copied), 0);
    EXPECT_EQ(copied, Sjis(u8"日本") + "a");
    Push("\x18");
    layer::RunMessagePump();
    EXPECT_EQ(Text(handle), "");
}

TEST_F(TextInput, PasteTypesTheClipboardsWholeCharactersWithoutControlBytes) {
    ASSERT_EQ(layer::SetClipboardText((Sjis(u8"日本") + "\r\x16" + Sjis(u8"語")).c_str()), 0);
    const int handle = Active(16);
    Push("a\x16z");
    layer::RunMessagePump();
    EXPECT_EQ(Text(handle), "az" + Sjis(u8"日本語"));
    EXPECT_EQ(layer::GetTextInputState(handle), 0);
}

// With two bytes of room, "a" fits and the two bytes of 日 after it do not: nothing of 日 is
// pushed, so no lead byte waits at the ring's end.
TEST_F(TextInput, PasteIntoAFullRingStopsBeforeACharacterThatDoesNotFit) {
    ASSERT_EQ(layer::SetClipboardText(("a" + Sjis(u8"日")).c_str()), 0);
    const int handle = Active(2000);
    Push("\x16" + std::string(1022, 'x'));
    layer::RunMessagePump();
    EXPECT_EQ(Text(handle), std::string(1022, 'x') + "a");
    EXPECT_EQ(RingBytes(), 0);
}

TEST_F(TextInput, TheStringIsCopiedCutAtACharacterBoundary) {
    const int handle = Active(16);
    ASSERT_EQ(layer::SetTextInputString(("ab" + Sjis(u8"表")).c_str(), handle), 0);
    char text[4] = {};
    ASSERT_EQ(layer::GetTextInputString(text, 4, handle), 0);
    EXPECT_STREQ(text, "ab");
    ASSERT_EQ(layer::GetTextInputString(text, 1, handle), 0);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(layer::GetTextInputString(text, 0, handle), -1);
}

TEST_F(TextInput, AutoConfirmEndsWithThePresetOnceTheRingIsEmpty) {
    const test::TypedTextConfirmScope confirm(true);
    const int handle = Active(16);
    ASSERT_EQ(layer::SetTextInputString(Sjis(u8"たろう").c_str(), handle), 0);
    Push("x");
    testing::internal::CaptureStderr();
    layer::RunMessagePump();
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(layer::GetTextInputState(handle), 1);
    EXPECT_EQ(Text(handle), Sjis(u8"たろうx"));
    EXPECT_NE(printed.find("qvarn: typed text \"たろうx\" (confirmed)"), std::string::npos)
        << printed;
}

// Slot 11 given as "keep" follows slot 3 of the same call; slots 12 to 15 go back to their
// defaults; the others keep theirs.
TEST_F(TextInput, ColoursKeepFollowOrReturnToTheirDefaults) {
    constexpr std::uint64_t kKeep = ~std::uint64_t{0};
    const auto colour = [](int slot) { return layer::text_input_state.colours[slot - 1]; };
    ASSERT_EQ(layer::SetTextInputColors(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15), 0);
    ASSERT_EQ(layer::SetTextInputColors(kKeep, 20, 30, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep,
                                        kKeep, kKeep, kKeep, kKeep, kKeep, kKeep),
              0);
    EXPECT_EQ(colour(1), 1u);
    EXPECT_EQ(colour(2), 20u);
    EXPECT_EQ(colour(3), 30u);
    EXPECT_EQ(colour(10), 10u);
    EXPECT_EQ(colour(11), 30u);
    EXPECT_EQ(colour(12), static_cast<std::uint32_t>(layer::RgbToPixel(0, 0, 0)));
    EXPECT_EQ(colour(13), static_cast<std::uint32_t>(layer::RgbToPixel(255, 255, 255)));
    EXPECT_EQ(colour(15), static_cast<std::uint32_t>(layer::RgbToPixel(128, 128, 128)));
    ASSERT_EQ(layer::SetTextInputColors(kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep,
                                        kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep),
              0);
    EXPECT_EQ(colour(11), 30u);
}

}  // namespace
