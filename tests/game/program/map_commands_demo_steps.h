#pragma once

// The demo's map-side events played with keys on the fake clock, so that every update draws
// and each run gives the same frames: the hero stands on an event and confirms it. The scenes
// that end in a golden are shared by the software test and the OpenGL one.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "game/core/game_random.h"
#include "game/map/map_state.h"
#include "game/map/party.h"
#include "tests/game/program/demo_run_fixture.h"
#include "tools/lib/demo_characters.h"
#include "tools/lib/demo_events.h"
#include "tools/lib/demo_map.h"

namespace game {

class MapCommandsDemo : public DemoRun {
  public:
    // The water event fills its block.
    void PlayTheWaterFilled() {
        const auto [x, y] = tools::kDemoWaterBlock;
        Confirm(tools::kDemoWaterEvent);
        EXPECT_EQ(Tile(x + 1, y + 1), 204444);
        EXPECT_EQ(Tile(x, y), 200214);
    }

    // The shake event has shaken the view down by 4 or more.
    void PlayTheViewShakenDown() {
        Confirm(tools::kDemoShakeEvent, 2);
        EXPECT_GT(TheMapState.verticalShakeCount, 0);
        for (int frame = 0; frame < 30 && TheMapState.shakeOffsetY < 4; ++frame)
            Run(1);
        ASSERT_GE(TheMapState.shakeOffsetY, 4) << "the view is shaken down";
    }

    // The costume event has swapped the party's graphics.
    void PlayTheCostumeSwapped() {
        Confirm(tools::kDemoCostumeEvent);
        EXPECT_EQ(TheParty.graphicName, tools::kDemoSecondPartySheet);
        EXPECT_EQ(TheParty.members[0].graphicName, "");
    }

    // Onto the looping map, whose view scrolls away and back.
    void PlayTheLoopingMapScrolledBack() {
        Confirm(tools::kDemoTransferEvent);
        ASSERT_EQ(TheMapState.mapNumber, 1);
        EXPECT_EQ(TheParty.x, 4);
        EXPECT_EQ(TheParty.y, 8);
        const int homeX = TheMapState.scrollX;
        Confirm(tools::kDemoScrollEvent, 20);
        EXPECT_GT(TheMapState.scrollX, homeX);
        Run(120);
        EXPECT_FALSE(TheMapState.IsViewScrolling());
    }

  protected:
    void SetUp() override {
        DemoRun::SetUp();
        UseFakeClock();
        GameRandomControl(static_cast<int>(RandomMode::kSet), 2024);
        StartOnTheMap();
    }

    // The hero stands on the event's tile, facing up, and confirms.
    void Confirm(tools::DemoTile tile, long afterFrames = 10) {
        PlaceCharacter(TheParty, tile.x, tile.y, 0);
        TheParty.direction = 8;
        Press(SDL_SCANCODE_RETURN, 2, afterFrames);
    }

    static std::int32_t Tile(int x, int y) {
        return TheMapState.mapData
            .tileLayers[0][static_cast<std::size_t>(x)][static_cast<std::size_t>(y)];
    }
};

// A scene of the demo's map-side events and the golden its shown frame ends in.
struct MapCommandScene {
    const char* name;
    const char* golden;
    void (MapCommandsDemo::*play)();
};

inline const MapCommandScene kMapCommandScenes[] = {
    {"Water", "game/program/demo-water", &MapCommandsDemo::PlayTheWaterFilled},
    {"Shake", "game/program/demo-shake", &MapCommandsDemo::PlayTheViewShakenDown},
    {"Costume", "game/program/demo-costume", &MapCommandsDemo::PlayTheCostumeSwapped},
    {"ScrollBack", "game/program/demo-scroll-back",
     &MapCommandsDemo::PlayTheLoopingMapScrolledBack},
};

}  // namespace game
