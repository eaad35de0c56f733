#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/message_queue.h"
#include "platform/sdl_main_window.h"
#include "platform/window.h"
#include "tests/support/sjis.h"

namespace {

using platform::Message;
using platform::MessageKind;

class EventTranslation : public testing::Test {
  protected:
    void SetUp() override {
        window_ = platform::OpenWindow({});
        ASSERT_NE(window_, nullptr);
        Drain();
    }
    void TearDown() override { platform::CloseWindow(window_); }

    std::vector<Message> Drain() {
        platform::ReceiveSystemEvents();
        std::vector<Message> messages;
        Message message;
        while (platform::TakeWindowMessage(&message)) {
            messages.push_back(message);
        }
        return messages;
    }

    std::vector<Message> Translate(SDL_Event event) {
        SDL_PushEvent(&event);
        return Drain();
    }

    Uint32 WindowId() const { return SDL_GetWindowID(platform::CurrentSdlWindow()); }

    platform::Window* window_ = nullptr;
};

SDL_Event KeyDown(SDL_Scancode scancode, SDL_Keycode sym, Uint16 mod, Uint8 repeat = 0) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.repeat = repeat;
    event.key.keysym = {scancode, sym, mod, 0};
    return event;
}

struct KeyCase {
    SDL_Scancode scancode;
    SDL_Keycode sym;
    Uint16 mod;
    int key_code;
    int character;  // 0: none follows
};

TEST_F(EventTranslation, KeysGiveTheirCodeThenTheirControlCharacter) {
    const KeyCase cases[] = {
        {SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, KMOD_NONE, 0x0E, 0x08},
        {SDL_SCANCODE_TAB, SDLK_TAB, KMOD_NONE, 0x0F, 0x09},
        {SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_NONE, 0x1C, 0x0D},
        {SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, KMOD_NONE, 0x9C, 0x0D},
        {SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, KMOD_NONE, 0x01, 0x1B},
        {SDL_SCANCODE_V, SDLK_v, KMOD_LCTRL, 0x2F, 0x16},
        {SDL_SCANCODE_A, SDLK_a, KMOD_RCTRL, 0x1E, 0x01},
        {SDL_SCANCODE_LEFTBRACKET, SDLK_LEFTBRACKET, KMOD_LCTRL, 0x91, 0x1B},
        {SDL_SCANCODE_LEFTBRACKET, SDLK_LEFTBRACKET, KMOD_NONE, 0x91, 0},
        {SDL_SCANCODE_V, SDLK_v, KMOD_NONE, 0x2F, 0},
        {SDL_SCANCODE_V, SDLK_v, KMOD_LCTRL | KMOD_LALT, 0x2F, 0},
        {SDL_SCANCODE_DELETE, SDLK_DELETE, KMOD_NONE, 0xD3, 0},
    };
    for (const KeyCase& key : cases) {
        SCOPED_TRACE(SDL_GetScancodeName(key.scancode));
        const auto messages = Translate(KeyDown(key.scancode, key.sym, key.mod));
        ASSERT_EQ(messages.size(), key.character != 0 ? 2u : 1u);
        EXPECT_EQ(messages[0].kind, MessageKind::kKeyDown);
        EXPECT_EQ(messages[0].key_code, key.key_code);
        if (key.character != 0) {
            EXPECT_EQ(messages[1].kind, MessageKind::kChar);
            EXPECT_EQ(messages[1].character, key.character);
        }
    }
}

TEST_F(EventTranslation, RepeatedKeysRepeatTheirMessages) {
    const auto messages =
        Translate(KeyDown(SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, KMOD_NONE, /*repeat=*/1));
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].character, 0x08);
}

TEST_F(EventTranslation, TypedTextArrivesAsCp932BytesDroppingWhatCp932Lacks) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    // "a", HIRAGANA A (82 A0), a character outside CP932, FULLWIDTH A (82 60).
    SDL_strlcpy(event.text.text, "a\xE3\x81\x82\xF0\x9F\x98\x80\xEF\xBC\xA1",
                sizeof event.text.text);
    std::vector<int> bytes;
    for (const Message& message : Translate(event)) {
        ASSERT_EQ(message.kind, MessageKind::kChar);
        bytes.push_back(message.character);
    }
    EXPECT_EQ(bytes, (std::vector<int>{'a', 0x82, 0xA0, 0x82, 0x60}));
}

TEST_F(EventTranslation, WheelGivesOneNotchBySignRespectingFlippedDirection) {
    struct WheelCase {
        int y;
        Uint32 direction;
        int wheel;
    };
    const WheelCase cases[] = {{3, SDL_MOUSEWHEEL_NORMAL, 1},
                               {-7, SDL_MOUSEWHEEL_NORMAL, -1},
                               {2, SDL_MOUSEWHEEL_FLIPPED, -1},
                               {-1, SDL_MOUSEWHEEL_FLIPPED, 1}};
    for (const WheelCase& wheel : cases) {
        SDL_Event event{};
        event.type = SDL_MOUSEWHEEL;
        event.wheel.y = wheel.y;
        event.wheel.direction = wheel.direction;
        const auto messages = Translate(event);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].kind, MessageKind::kMouseWheel);
        EXPECT_EQ(messages[0].wheel, wheel.wheel);
    }
    SDL_Event sideways{};
    sideways.type = SDL_MOUSEWHEEL;
    sideways.wheel.x = 4;
    EXPECT_TRUE(Translate(sideways).empty());
}

TEST_F(EventTranslation, CloseAndQuitBothAskToClose) {
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.windowID = WindowId();
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    for (const SDL_Event& event : {close, quit}) {
        const auto messages = Translate(event);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].kind, MessageKind::kClose);
    }
}

TEST_F(EventTranslation, FocusChangesGiveActivateAppThenActivate) {
    struct FocusCase {
        Uint8 event;
        int active;
        int minimized;
    };
    const FocusCase cases[] = {{SDL_WINDOWEVENT_FOCUS_GAINED, 1, 0},
                               {SDL_WINDOWEVENT_FOCUS_LOST, 0, 0},
                               {SDL_WINDOWEVENT_MINIMIZED, 0, 1},
                               {SDL_WINDOWEVENT_RESTORED, 1, 0}};
    for (const FocusCase& focus : cases) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.windowID = WindowId();
        event.window.event = focus.event;
        const auto messages = Translate(event);
        ASSERT_EQ(messages.size(), 2u);
        EXPECT_EQ(messages[0].kind, MessageKind::kActivateApp);
        EXPECT_EQ(messages[0].active, focus.active);
        EXPECT_EQ(messages[1].kind, MessageKind::kActivate);
        EXPECT_EQ(messages[1].active, focus.active);
        EXPECT_EQ(messages[1].minimized, focus.minimized);
    }
}

TEST_F(EventTranslation, PlacementEventsGiveMoveSizeAndPaint) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = WindowId();
    event.window.event = SDL_WINDOWEVENT_MOVED;
    event.window.data1 = 30;
    event.window.data2 = -4;
    auto messages = Translate(event);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, MessageKind::kMove);
    EXPECT_EQ(messages[0].x, 30);
    EXPECT_EQ(messages[0].y, -4);

    event.window.event = SDL_WINDOWEVENT_EXPOSED;
    messages = Translate(event);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, MessageKind::kPaint);
    EXPECT_EQ(messages[0].width, 640);
    EXPECT_EQ(messages[0].height, 480);
}

TEST_F(EventTranslation, CompositionStartsUpdatesAndEnds) {
    SDL_Event event{};
    event.type = SDL_TEXTEDITING;
    SDL_strlcpy(event.edit.text, "\xE3\x81\x82\xE3\x81\x84", sizeof event.edit.text);  // あい
    event.edit.start = 1;
    auto messages = Translate(event);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].kind, MessageKind::kImeStartComposition);
    EXPECT_EQ(messages[1].kind, MessageKind::kImeComposition);
    EXPECT_EQ(messages[1].text, "\x82\xA0\x82\xA2");
    EXPECT_EQ(messages[1].cursor, 2);

    event.edit.text[0] = '\0';
    messages = Translate(event);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, MessageKind::kImeEndComposition);
}

std::string Utf8(const char8_t* text) {
    return reinterpret_cast<const char*>(text);
}

SDL_Event Editing(const char* utf8, int start, int length) {
    SDL_Event event{};
    event.type = SDL_TEXTEDITING;
    SDL_strlcpy(event.edit.text, utf8, sizeof event.edit.text);
    event.edit.start = start;
    event.edit.length = length;
    return event;
}

// Owned by the event: the translation frees it.
SDL_Event LongEditing(const std::string& utf8, int start, int length) {
    SDL_Event event{};
    event.type = SDL_TEXTEDITING_EXT;
    event.editExt.text = SDL_strdup(utf8.c_str());
    event.editExt.start = start;
    event.editExt.length = length;
    return event;
}

struct CompositionCase {
    const char* label;
    SDL_Event event;
    std::string text;
    int cursor;
    int selection_length;
};

// Start and length count characters; the message counts CP932 bytes, and a character CP932
// lacks is left out of both.
TEST_F(EventTranslation, CompositionsArriveInCp932WithTheirSelectedPart) {
    const std::string nihongo = Utf8(u8"にほんご");
    const std::string nihongo_cp932 = test::Sjis(u8"にほんご");
    std::string twenty;
    std::string twenty_cp932;
    for (int i = 0; i < 20; ++i) {
        twenty += Utf8(u8"あ");
        twenty_cp932 += test::Sjis(u8"あ");
    }
    const CompositionCase cases[] = {
        {"cursor after two", Editing(nihongo.c_str(), 2, 0), nihongo_cp932, 4, 0},
        {"two selected from the second", Editing(nihongo.c_str(), 1, 2), nihongo_cp932, 2, 4},
        {"a selection past the end", Editing(nihongo.c_str(), 3, 5), nihongo_cp932, 6, 2},
        {"forty bytes whole", LongEditing(twenty, 20, 0), twenty_cp932, 40, 0},
        {"a character without CP932 form", Editing(Utf8(u8"a😀b").c_str(), 2, 1), "ab", 1, 1},
    };
    for (const CompositionCase& c : cases) {
        SCOPED_TRACE(c.label);
        const auto messages = Translate(c.event);
        ASSERT_FALSE(messages.empty());
        const Message& composition = messages.back();
        EXPECT_EQ(composition.kind, MessageKind::kImeComposition);
        EXPECT_EQ(composition.text, c.text);
        EXPECT_EQ(composition.cursor, c.cursor);
        EXPECT_EQ(composition.selection_length, c.selection_length);
    }
}

// While composing, keys are the input method's; a commit ends the composition before its
// characters.
TEST_F(EventTranslation, ComposingKeepsKeysAndACommitEndsIt) {
    Translate(Editing(Utf8(u8"あ").c_str(), 1, 0));
    EXPECT_TRUE(Translate(KeyDown(SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, KMOD_NONE)).empty());
    EXPECT_TRUE(Translate(KeyDown(SDL_SCANCODE_LEFT, SDLK_LEFT, KMOD_NONE)).empty());
    SDL_Event commit{};
    commit.type = SDL_TEXTINPUT;
    SDL_strlcpy(commit.text.text, Utf8(u8"日本").c_str(), sizeof commit.text.text);
    std::vector<Message> messages = Translate(commit);
    ASSERT_EQ(messages.size(), 5u);
    EXPECT_EQ(messages[0].kind, MessageKind::kImeEndComposition);
    std::string bytes;
    for (std::size_t i = 1; i < messages.size(); ++i) {
        EXPECT_EQ(messages[i].kind, MessageKind::kChar);
        bytes += static_cast<char>(messages[i].character);
    }
    EXPECT_EQ(bytes, "\x93\xFA\x96\x7B");  // 日本
    EXPECT_TRUE(Translate(Editing("", 0, 0)).empty());
    messages = Translate(KeyDown(SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, KMOD_NONE));
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].character, 0x08);
}

TEST(MessageQueue, PostsFromOtherThreadsArriveInOrder) {
    platform::DiscardWindowMessages();
    Message message;
    message.kind = MessageKind::kF10Report;
    for (int value = 0; value < 3; ++value) {
        message.value = value;
        platform::PostWindowMessage(message);
    }
    for (int value = 0; value < 3; ++value) {
        ASSERT_TRUE(platform::TakeWindowMessage(&message));
        EXPECT_EQ(message.value, value);
    }
    EXPECT_FALSE(platform::TakeWindowMessage(&message));
}

}  // namespace
