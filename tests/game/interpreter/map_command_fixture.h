#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "game/core/common_event.h"
#include "game/core/game_random.h"
#include "game/core/screen_state.h"
#include "game/core/variable_store.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/run_interpreter.h"
#include "game/map/map_change.h"
#include "tests/game/core/report_capture.h"
#include "tests/game/map/character_fixture.h"
#include "tools/lib/command_list_builder.h"
#include "tools/lib/tile_set_writer.h"

namespace game {

// A random number from 0 to 100, drawn at each read.
constexpr std::int32_t kRandom100 = 8000100;

// The map-side commands' ground: a loaded 20 x 15 map of three layers of base tile 0, the
// tile sets of SmallAndLargeTileSets read from their file with set 0 current, the hero at
// tile (0, 0), 100 normal and 20 string variables.
class MapCommandTest : public CharacterTest {
  protected:
    static constexpr int kSmallSetBaseCells = 8;
    static constexpr int kLargeSetBaseCells = 24;

    void SetUp() override {
        CharacterTest::SetUp();
        TheScreenState.SceneNumber = 1;
        TheVariableStore.variableSets[0].resize(100);
        TheVariableStore.stringVariables.resize(20);
        ASSERT_TRUE(TheMapState.tileSetList.ReadTileSetImage(
            tools::WriteTileSetData(SmallAndLargeTileSets(), 0xD0, {0, 0, 0})));
        TakeTileSet(TheMapState, 0);
    }

    // Set 0 with 8 base tiles, all attributes 0; set 1 with 24 base tiles, its last one drawn
    // above the characters and tagged 7.
    static std::vector<TileSet> SmallAndLargeTileSets() {
        TileSet small = tools::MakeTileSet(kSmallSetBaseCells);
        small.imageNames[0] = "MapChip\\small.png";
        TileSet large = tools::MakeTileSet(kLargeSetBaseCells);
        large.imageNames[0] = "MapChip\\large.png";
        large.imageNames[3] = "MapChip\\water.png";
        large.attributes.back() = kAboveCharacters;
        large.tags.back() = 7;
        return {small, large};
    }

    static std::int32_t& V(int index) {
        return TheVariableStore.variableSets[0][static_cast<std::size_t>(index)];
    }
    static std::string& S(int index) {
        return TheVariableStore.stringVariables[static_cast<std::size_t>(index)];
    }

    // Runs a list as common event 0 in a top-level interpreter for a number of frames.
    static EventInterpreter Run(const tools::CommandListBuilder& builder, int frames = 1) {
        CommonEvents.events[0].commands = builder.Build();
        EventInterpreter interpreter;
        interpreter.SetUpInterpreter(0, false);
        interpreter.StartInterpreter(CommandListRef::Common(0), -1, 0);
        for (int frame = 0; frame < frames; ++frame)
            RunInterpreter(interpreter);
        return interpreter;
    }

    // One command line run as common event 0.
    static EventInterpreter RunLine(std::int32_t code, std::vector<std::int32_t> args,
                                    std::vector<std::string> strings = {}) {
        tools::CommandListBuilder list;
        list.Add(code, std::move(args), std::move(strings));
        return Run(list);
    }

    static std::int32_t Tile(int layer, int x, int y) {
        return TheMapState.mapData.tileLayers[static_cast<std::size_t>(
            layer)][static_cast<std::size_t>(x)][static_cast<std::size_t>(y)];
    }
    static void SetTile(int layer, int x, int y, std::int32_t value) {
        TheMapState.mapData.tileLayers[static_cast<std::size_t>(layer)][static_cast<std::size_t>(x)]
                                      [static_cast<std::size_t>(y)] = value;
    }

    // The first draws of the random ID kRandom100 under a fixed seed, which is set again for
    // the command to draw the same values: they show the order of its reads.
    static std::vector<std::int32_t> Draws(int count) {
        GameRandomControl(static_cast<int>(RandomMode::kSet), 777);
        std::vector<std::int32_t> draws;
        for (int i = 0; i < count; ++i)
            draws.push_back(TheVariableStore.ReadValueById(kRandom100));
        GameRandomControl(static_cast<int>(RandomMode::kSet), 777);
        return draws;
    }

    ReportCapture reports;
};

// Variable IDs.
constexpr std::int32_t VarId(int index) {
    return 2000000 + index;
}
constexpr std::int32_t StrId(int index) {
    return 3000000 + index;
}

}  // namespace game
