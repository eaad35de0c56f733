// The string command's key input on a started layer: text typed as SDL events, as a player's
// desktop sends it, reaches the target variable in CP932.
#include <SDL.h>

#include <cstdint>
#include <string>

#include "game/interpreter/main_interpreter.h"
#include "layer/core/layer_api.h"
#include "tests/game/core/game_folder_scope.h"
#include "tests/game/interpreter/family_fixture.h"
#include "tests/support/sjis.h"
#include "tests/support/typed_text_confirm_scope.h"

namespace game {
namespace {

using test::Sjis;

constexpr int kKeyInputSource = 3;
constexpr std::int32_t kEscapeCancels = 0x1000;
constexpr std::int32_t kStartWithTarget = 0x2000;
constexpr int kAssign = 0;
constexpr int kAppend = 1;

class TypedKeyInput : public FamilyTest {
  protected:
    void SetUp() override {
        FamilyTest::SetUp();
        layer::SetLogEnabled(0);
        ASSERT_EQ(layer::InitializeLayer(), 0);
        layer::PumpMessages();
    }
    void TearDown() override {
        layer::ShutdownLayer();
        layer::SetLogEnabled(1);
    }

    // Starts the key input into string variable 1 in an interpreter of its own.
    void Start(std::int32_t maxLength, int operation = kAssign, std::int32_t options = 0) {
        SetCommon(0,
                  tools::CommandListBuilder().Add(
                      122, {Str(1), kKeyInputSource | operation << 8 | options, maxLength}),
                  false);
        interpreter.SetUpInterpreter(0, false);
        interpreter.StartInterpreter(CommandListRef::Common(0), -1, 0);
        RunInterpreter(interpreter);
        ASSERT_NE(interpreter.textInputHandle, 0);
    }

    // Text as the desktop commits it, in events of at most 30 bytes.
    static void Type(const std::u8string& text) {
        for (std::size_t at = 0; at < text.size();) {
            std::size_t length = std::min<std::size_t>(30, text.size() - at);
            while (at + length < text.size() && (text[at + length] & 0xC0) == 0x80)
                --length;
            SDL_Event event{};
            event.type = SDL_TEXTINPUT;
            std::copy_n(text.data() + at, length, event.text.text);
            SDL_PushEvent(&event);
            at += length;
        }
    }

    static void Press(SDL_Scancode scancode, SDL_Keycode key) {
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.state = SDL_PRESSED;
        event.key.keysym = {scancode, key, KMOD_NONE, 0};
        SDL_PushEvent(&event);
    }

    // The pump applies what was typed; the next frame collects the text.
    void NextFrame() {
        layer::PumpMessages();
        RunInterpreter(interpreter);
    }

    GameFolderScope folder;
    test::TypedTextConfirmScope typing{false};
    EventInterpreter interpreter;
};

TEST_F(TypedKeyInput, TypedJapaneseAndEnterArriveInCp932) {
    Start(16);
    Type(u8"たろう");
    NextFrame();
    EXPECT_NE(interpreter.textInputHandle, 0);
    EXPECT_EQ(TheMainInterpreter.TextInputState, 1);
    Press(SDL_SCANCODE_RETURN, SDLK_RETURN);
    NextFrame();
    EXPECT_EQ(interpreter.textInputHandle, 0);
    EXPECT_EQ(S(1), Sjis(u8"たろう"));
    EXPECT_EQ(TheMainInterpreter.TextInputState, 0);
    EXPECT_FALSE(interpreter.IsInterpreterRunning());
}

TEST_F(TypedKeyInput, ABackslashTypedIsDoubled) {
    Start(16);
    Type(u8"a\\b");
    Press(SDL_SCANCODE_RETURN, SDLK_RETURN);
    NextFrame();
    EXPECT_EQ(S(1), "a\\\\b");
}

TEST_F(TypedKeyInput, EscapeWithTheCancelOptionKeepsTheText) {
    S(1) = "kept";
    Start(16, kAppend, kEscapeCancels);
    Type(u8"xyz");
    Press(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
    NextFrame();
    EXPECT_EQ(S(1), "kept");
    EXPECT_EQ(TheMainInterpreter.TextInputState, -1);
}

TEST_F(TypedKeyInput, APresetLongerThanTheMaximumIsCutAtACharacterBoundary) {
    struct PresetCase {
        std::int32_t maxLength;
        const char8_t* typed;
    };
    for (const PresetCase& c :
         {PresetCase{3, u8"表"}, PresetCase{1, u8""}, PresetCase{4, u8"表表"}}) {
        S(1) = Sjis(u8"表表x");
        Start(c.maxLength, kAssign, kStartWithTarget);
        Press(SDL_SCANCODE_RETURN, SDLK_RETURN);
        NextFrame();
        EXPECT_EQ(S(1), Sjis(c.typed)) << c.maxLength;
    }
}

// The game reads at most 255 bytes: "ab" and 126 of the 149 あ typed into a maximum of 300.
TEST_F(TypedKeyInput, AFullTextOverTheGamesBufferArrivesCutAtACharacterBoundary) {
    Start(300);
    std::u8string text = u8"ab";
    for (int i = 0; i < 149; ++i)
        text += u8"あ";
    Type(text);
    Press(SDL_SCANCODE_RETURN, SDLK_RETURN);
    NextFrame();
    std::string expected = "ab";
    for (int i = 0; i < 126; ++i)
        expected += Sjis(u8"あ");
    EXPECT_EQ(S(1), expected);
}

}  // namespace
}  // namespace game
