// The composition as the layer mirrors it from SDL's text-editing events, pushed on the dummy
// driver and pumped like the player's own.
#include "layer/core/ime.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "layer/core/layer_api.h"
#include "layer/core/message_pump.h"
#include "layer/core/window_state.h"
#include "platform/message_queue.h"
#include "platform/presenter.h"
#include "platform/sdl_main_window.h"
#include "tests/layer/core/layer_fixture.h"
#include "tests/support/sjis.h"
#include "tests/support/typed_text_confirm_scope.h"

namespace {

using test::Sjis;

std::string Utf8(const char8_t* text) {
    return reinterpret_cast<const char*>(text);
}

SDL_Event Editing(const std::string& utf8, int start, int length) {
    SDL_Event event{};
    event.type = SDL_TEXTEDITING;
    SDL_strlcpy(event.edit.text, utf8.c_str(), sizeof event.edit.text);
    event.edit.start = start;
    event.edit.length = length;
    return event;
}

SDL_Event LongEditing(const std::string& utf8) {
    SDL_Event event{};
    event.type = SDL_TEXTEDITING_EXT;
    event.editExt.text = SDL_strdup(utf8.c_str());
    return event;
}

SDL_Event Commit(const std::string& utf8) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    SDL_strlcpy(event.text.text, utf8.c_str(), sizeof event.text.text);
    return event;
}

SDL_Event Backspace() {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym = {SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, KMOD_NONE, 0};
    return event;
}

SDL_Event Focus(Uint8 change) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = SDL_GetWindowID(platform::CurrentSdlWindow());
    event.window.event = change;
    return event;
}

std::string Twenty() {
    std::string text;
    for (int i = 0; i < 20; ++i) {
        text += Utf8(u8"あ");
    }
    return text;
}

struct ImeCase {
    const char* label;
    std::function<std::vector<SDL_Event>()> events;
    std::string composition;
    int cursor;
    std::vector<int> clauses;
    std::string typed;
};

class Ime : public test::LayerTest {
  protected:
    void SetUp() override {
        LayerTest::SetUp();
        ASSERT_EQ(layer::InitializeLayer(), 0);
        Pump();
    }

    static void Pump() {
        layer::RunMessagePump();
        while (platform::HasWindowMessage()) {
            layer::RunMessagePump();
        }
    }

    test::TypedTextConfirmScope typing_{false};
};

TEST_F(Ime, CompositionsCommitsAndTheirEnds) {
    const std::string nihongo = Utf8(u8"にほんご");
    const ImeCase cases[] = {
        {"cursor after two",
         [&] { return std::vector{Editing(nihongo, 2, 0)}; },
         Sjis(u8"にほんご"),
         2,
         {0, 8},
         "x"},
        {"two selected from the second",
         [&] { return std::vector{Editing(nihongo, 1, 2)}; },
         Sjis(u8"にほんご"),
         1,
         {0, 2, 6, 8},
         "x"},
        {"the first selected",
         [&] { return std::vector{Editing(nihongo, 0, 1)}; },
         Sjis(u8"にほんご"),
         0,
         {0, 2, 8},
         "x"},
        {"forty bytes whole",
         [] { return std::vector{LongEditing(Twenty())}; },
         Sjis(u8"ああああああああああああああああああああ"),
         0,
         {0, 40},
         "x"},
        {"a character without CP932 form",
         [] { return std::vector{Editing(Utf8(u8"a😀b"), 2, 0)}; },
         "ab",
         1,
         {0, 2},
         "x"},
        {"a commit is typed",
         [&] {
             return std::vector{Editing(nihongo, 4, 0), Commit(Utf8(u8"日本"))};
         },
         "",
         0,
         {},
         "x" + Sjis(u8"日本")},
        {"an empty text ends",
         [&] {
             return std::vector{Editing(nihongo, 4, 0), Editing("", 0, 0)};
         },
         "",
         0,
         {},
         "x"},
        {"backspace while composing is the input method's",
         [&] {
             return std::vector{Editing(nihongo, 4, 0), Backspace()};
         },
         Sjis(u8"にほんご"),
         4,
         {0, 8},
         "x"},
        {"reactivation drops the composition",
         [&] {
             return std::vector{Editing(nihongo, 4, 0), Focus(SDL_WINDOWEVENT_FOCUS_LOST),
                                Focus(SDL_WINDOWEVENT_FOCUS_GAINED)};
         },
         "",
         0,
         {},
         "x"},
    };
    for (const ImeCase& c : cases) {
        SCOPED_TRACE(c.label);
        const int input = layer::CreateTextInput(32, 0, 0, 0);
        ASSERT_EQ(layer::ActivateTextInput(input), 0);
        ASSERT_EQ(layer::SetTextInputString("x", input), 0);
        for (SDL_Event event : c.events()) {
            SDL_PushEvent(&event);
        }
        Pump();
        EXPECT_EQ(layer::ime_state.composition, c.composition);
        EXPECT_EQ(layer::ime_state.cursor, c.cursor);
        EXPECT_EQ(std::vector<int>(layer::ime_state.clause_offsets,
                                   layer::ime_state.clause_offsets + layer::ime_state.clause_count),
                  c.clauses);
        char typed[64] = {};
        ASSERT_EQ(layer::GetTextInputString(typed, sizeof typed, input), 0);
        EXPECT_EQ(typed, c.typed);
        SDL_Event end = Editing("", 0, 0);
        SDL_PushEvent(&end);
        Pump();
        ASSERT_EQ(layer::DeleteTextInput(input), 0);
    }
}

TEST_F(Ime, TheLastInputsDeletionSwitchesItOffAndClearsTheComposition) {
    const int input = layer::CreateTextInput(8, 0, 0, 0);
    EXPECT_EQ(layer::IsImeSwitchedOn(), 1);
    SDL_Event event = Editing(Utf8(u8"かな"), 1, 0);
    SDL_PushEvent(&event);
    Pump();
    EXPECT_EQ(layer::ime_state.composing, 1);
    ASSERT_EQ(layer::DeleteTextInput(input), 0);
    EXPECT_EQ(layer::IsImeSwitchedOn(), 0);
    EXPECT_EQ(layer::ime_state.composing, 0);
    EXPECT_STREQ(layer::ime_state.composition, "");
    EXPECT_EQ(layer::DrawImeComposition(0, 0), -1);
}

// The input method opens its candidates under the composition cursor: game pixels scaled to
// the window, then placed where the frame is shown, bars included.
TEST_F(Ime, TheInputRectangleFollowsTheWindowScaleAndTheFramesPlace) {
    const int input = layer::CreateTextInput(8, 0, 0, 0);
    ASSERT_EQ(layer::ActivateTextInput(input), 0);
    ASSERT_EQ(layer::SetWindowScale(2.0), 0);
    ASSERT_EQ(layer::ChangeDrawTarget(-2), 0);
    Pump();
    // Presenting fits the frame to the client area, as every frame of the game does.
    ASSERT_EQ(layer::ShowFrame(), 0);
    ASSERT_EQ(layer::DrawTextInput(50, 30, input), 0);
    EXPECT_EQ(layer::ime_state.input_rect, (layer::Rect{100, 60, 104, 92}));

    // Full screen on a desktop wider than the screen: the frame stands between bars.
    layer::window_state.window_mode = 0;
    platform::ConfigureRetainedFrame(
        640, 480, {32, layer::kDdPixelFormatRgb, 0, 32, 0xFF0000, 0xFF00, 0xFF, 0});
    SDL_SetWindowSize(platform::CurrentSdlWindow(), 1000, 600);
    ASSERT_EQ(layer::DrawTextInput(50, 30, input), 0);
    EXPECT_EQ(layer::ime_state.input_rect, (layer::Rect{162, 37, 165, 57}));
    layer::window_state.window_mode = 1;
}

}  // namespace
