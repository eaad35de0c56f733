#include "layer/core/clipboard.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/clipboard.h"

namespace layer {
namespace {

class Clipboard : public testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    }
    void TearDown() override { SDL_QuitSubSystem(SDL_INIT_VIDEO); }
};

TEST_F(Clipboard, JapaneseTextRoundTrips) {
    // 日本語の表ソ\① in CP932: 表 and ソ end in 0x5C, ① exists only in CP932.
    const char text[] = "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\x5C\x83\x5C\\\x87\x40";
    ASSERT_EQ(SetClipboardText(text), 0);
    EXPECT_EQ(platform::ReadClipboardText(), "日本語の表ソ\\①");

    const int size = GetClipboardText(nullptr, 0);
    EXPECT_EQ(size, static_cast<int>(sizeof text) + 1);
    std::string buffer(static_cast<std::size_t>(size), 'x');
    ASSERT_EQ(GetClipboardText(buffer.data(), buffer.size()), 0);
    EXPECT_STREQ(buffer.c_str(), text);
}

TEST_F(Clipboard, TextFromOtherProgramsIsConverted) {
    ASSERT_TRUE(platform::WriteClipboardText("～表é"));
    char buffer[16];
    ASSERT_EQ(GetClipboardText(buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "\x81\x60\x95\x5C?");
}

TEST_F(Clipboard, CopyIsCutAtACharacterBoundary) {
    ASSERT_EQ(SetClipboardText("a\x95\x5C"), 0);
    char buffer[4];
    std::memset(buffer, 'x', sizeof buffer);
    ASSERT_EQ(GetClipboardText(buffer, 3), 0);
    EXPECT_STREQ(buffer, "a");
}

TEST_F(Clipboard, EmptyClipboardHoldsNoText) {
    ASSERT_EQ(SetClipboardText(""), 0);
    char buffer[4] = "abc";
    EXPECT_EQ(GetClipboardText(buffer, sizeof buffer), -1);
    EXPECT_EQ(GetClipboardText(nullptr, 0), -1);
}

TEST(ClipboardWithoutVideo, CannotBeOpened) {
    ASSERT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
    char buffer[4];
    EXPECT_EQ(GetClipboardText(buffer, sizeof buffer), -1);
    EXPECT_EQ(SetClipboardText("a"), -1);
}

}  // namespace
}  // namespace layer
