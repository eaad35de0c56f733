// The demo played with keys a player presses: confirm through the title, then walk the hero
// with the arrow keys.
#include <gtest/gtest.h>

#include "game/core/screen_state.h"
#include "game/core/variable_store.h"
#include "game/map/map_character.h"
#include "game/map/party.h"
#include "tests/game/program/demo_run_fixture.h"

namespace game {
namespace {

class DemoKeys : public DemoRun {
  protected:
    static std::int32_t Variable(int index) {
        return TheVariableStore.ReadValueById(2000000 + index);
    }
    static MapCharacter& Hero() { return *GetPartyCharacter(TheParty, 0); }
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
