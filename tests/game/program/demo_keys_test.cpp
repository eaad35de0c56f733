// The demo played with keys a player presses: confirm through the title, type a name, then walk
// the hero with the arrow keys.
#include <gtest/gtest.h>

#include "game/core/screen_state.h"
#include "game/core/variable_store.h"
#include "game/map/map_character.h"
#include "game/map/party.h"
#include "tests/game/program/demo_run_fixture.h"
#include "tests/support/sjis.h"
#include "tests/support/typed_text_confirm_scope.h"

namespace game {
namespace {

class DemoKeys : public DemoRun {
  protected:
    static std::int32_t Variable(int index) {
        return TheVariableStore.ReadValueById(2000000 + index);
    }
    static MapCharacter& Hero() { return *GetPartyCharacter(TheParty, 0); }

    // Text as the desktop commits it, and keys pressed once.
    static void Type(const char8_t* text) {
        SDL_Event event{};
        event.type = SDL_TEXTINPUT;
        SDL_strlcpy(event.text.text, reinterpret_cast<const char*>(text), sizeof event.text.text);
        SDL_PushEvent(&event);
    }
    static void Tap(SDL_Scancode key, int times) {
        for (int i = 0; i < times; ++i) {
            test::PushKey(key, true);
            test::PushKey(key, false);
        }
    }

    const test::TypedTextConfirmScope typing_{false};
};

TEST_F(DemoKeys, ConfirmStartsTheGameAndTheArrowsWalk) {
    Start(60);
    ASSERT_EQ(TheScreenState.SceneNumber, 1);
    // The welcome message waits for a key.
    EXPECT_EQ(Variable(0), 0);
    // Confirm the message, then the choice's first item, "はじめから", which sets V0.
    for (const SDL_Scancode key : {SDL_SCANCODE_RETURN, SDL_SCANCODE_Z, SDL_SCANCODE_SPACE}) {
        if (Variable(0) == 0)
            Press(key, 3, 30);
    }
    ASSERT_EQ(Variable(0), 1);
    // The name field starts with "ゆうしゃ": four backspaces, a name, Enter; then the greeting
    // waits for a key.
    Tap(SDL_SCANCODE_BACKSPACE, 4);
    Type(u8"たろう");
    Run(5);
    Press(SDL_SCANCODE_RETURN, 3, 30);
    EXPECT_EQ(TheVariableStore.ReadStringById(3000002), test::Sjis(u8"たろう"));
    Press(SDL_SCANCODE_RETURN, 3, 30);

    const int startX = Hero().x;
    const int startY = Hero().y;
    Press(SDL_SCANCODE_RIGHT, 40, 30);
    EXPECT_GT(Hero().x, startX);
    EXPECT_EQ(Hero().y, startY);
    const int rightX = Hero().x;
    Press(SDL_SCANCODE_DOWN, 20, 30);
    EXPECT_EQ(Hero().x, rightX);
    EXPECT_GT(Hero().y, startY);
}

}  // namespace
}  // namespace game
