// The map-side commands' costs: the tile command filling a whole 100 x 100 layer with its
// autotile shape pass, and a common event looping over character and map queries of the
// special-value command.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "game/core/common_event.h"
#include "game/core/screen_state.h"
#include "game/core/variable_store.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/run_interpreter.h"
#include "game/interpreter/tile_commands.h"
#include "game/map/map_change.h"
#include "game/map/party.h"
#include "tests/game/map/map_state_fixture.h"
#include "tools/lib/command_list_builder.h"

namespace {

constexpr std::int32_t kPasses = 10000;
// The counted loop line, its ten queries and its loop end.
constexpr std::int64_t kLinesPerPass = 12;

constexpr std::int32_t Var(int index) {
    return 2000000 + index;
}

constexpr std::int32_t Query(int kind, int item = 0) {
    return (item << 16) | (kind << 12);
}

// A map with an event every few tiles, the hero in its middle.
void LoadMap(int width, int height) {
    game::TheMapState = game::MakeLoadedMap(width, height, 0);
    game::TheMapState.tileSetList.sets.assign(1, game::TileSet{});
    game::TakeTileSet(game::TheMapState, 0);
    for (int number = 0; number < 20; ++number) {
        game::MapEvent event(number);
        game::TheMapState.mapData.events.push_back(event);
        game::PlaceCharacter(game::TheMapState.eventCharacters.emplace_back(1, event),
                             number % 10 * 2, number / 10 * 3, 0);
    }
    game::TheParty = game::Party();
    game::PlaceCharacter(game::TheParty, width / 2, height / 2, 0);
}

void BM_FillWholeLayer(benchmark::State& state) {
    LoadMap(100, 100);
    game::EventInterpreter interpreter;
    interpreter.SetUpInterpreter(0, false);
    std::int32_t tile = 3;
    for (auto _ : state) {
        tools::CommandListBuilder list;
        interpreter.ownCommands = list.Add(242, {1, 0, 0, 100, 100, tile}).Build();
        interpreter.StartInterpreter(game::CommandListRef::Own(), -1, -1);
        game::ChangeMapTiles(interpreter);
        tile = tile == 3 ? 2 : 3;
    }
    benchmark::DoNotOptimize(game::TheMapState.mapData.tileLayers[0][0][0]);
}
BENCHMARK(BM_FillWholeLayer)->Unit(benchmark::kMicrosecond);

void BM_CharacterAndMapQueries(benchmark::State& state) {
    LoadMap(20, 15);
    tools::CommandListBuilder list;
    list.Add(179, {kPasses});
    list.Add(124, {Var(1), Query(1), -2, 0}, {}, 1);
    list.Add(124, {Var(2), Query(1), 5, 6}, {}, 1);
    list.Add(124, {Var(3), Query(1), 12, 11}, {}, 1);
    list.Add(124, {Var(4), Query(1), -3, 9}, {}, 1);
    list.Add(124, {Var(5), Query(1), 7, 12}, {}, 1);
    list.Add(124, {Var(6), Query(2, 0), 4, 4}, {}, 1);
    list.Add(124, {Var(7), Query(2, 1), 6, 3}, {}, 1);
    list.Add(124, {Var(8), Query(2, 2), 9, 9}, {}, 1);
    list.Add(124, {Var(9), Query(2, 3), 3, 8}, {}, 1);
    list.Add(124, {Var(10), Query(2, 4), 15, 2}, {}, 1);
    list.Add(498);
    game::CommonEvents = game::CommonEventList();
    game::CommonEvents.events[0].commands = list.Build();
    game::TheVariableStore = game::VariableStore();
    game::TheVariableStore.variableSets[0].resize(100);
    game::TheScreenState.SceneNumber = 1;
    game::EventInterpreter interpreter;
    interpreter.SetUpInterpreter(0, false);
    for (auto _ : state) {
        interpreter.StartInterpreter(game::CommandListRef::Common(0), -1, 0);
        game::RunInterpreter(interpreter);
    }
    benchmark::DoNotOptimize(game::TheVariableStore.variableSets[0][10]);
    state.SetItemsProcessed(state.iterations() * kPasses * kLinesPerPass);
}
BENCHMARK(BM_CharacterAndMapQueries);

}  // namespace
