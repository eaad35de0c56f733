#pragma once

#include <gtest/gtest.h>

#include "game/core/game_info.h"
#include "game/core/game_random.h"
#include "game/core/play_settings.h"
#include "game/map/character_movement.h"
#include "game/map/event_character.h"
#include "tests/game/core/fresh_game_state.h"
#include "tests/game/map/map_state_fixture.h"

namespace game {

// A fresh game on a loaded open map of width x height tiles (every tile base tile 0, no
// attributes), default flags, one frame per update and a seeded random generator.
class CharacterTest : public ::testing::Test {
  protected:
    void SetUp() override { Load(20, 15); }
    void TearDown() override {
        SetNewGameDefaults(TheGameInfo);
        ResetAnimationIntervals();
        FramesPerUpdate = 1;
    }

    static void Load(int width, int height) {
        SetNewGameDefaults(TheGameInfo);
        FreshGameState();
        FramesPerUpdate = 1;
        ResetAnimationIntervals();
        TheMapState = MakeLoadedMap(width, height, 0);
        TheVariableStore.link = &TheMainInterpreter;
        TheParty = Party();
        GameRandomControl(static_cast<int>(RandomMode::kSet), 12345);
    }

    // An event on the map at half tile (x, y) with a sheet, standing still.
    static EventCharacter& AddEvent(int number, int x, int y, bool graphic = true) {
        MapEvent event(number);
        event.pages[0].graphic.graphicName = graphic ? "npc.png" : "";
        event.pages[0].movement.characterOptions = 0x02;
        TheMapState.mapData.events.push_back(event);
        TheMapState.eventCharacters.emplace_back(1, event);
        EventCharacter& character = TheMapState.eventCharacters.back();
        PlaceCharacter(character, x, y, 1);
        return character;
    }

    // Updates the character until it stands again, at most `limit` updates.
    static int Settle(MapCharacter& character, int limit = 100) {
        int updates = 0;
        do {
            UpdateCharacterMotion(character);
        } while ((IsJumping(character) || CheckCharacterMoving(character)) && ++updates < limit);
        return updates + 1;
    }
};

}  // namespace game
