// Goal: one software frame of the demo's start map with 100 event sprites (shadows on, every
// third one walking at random) and the hero: update, map drawing and present on the dummy
// video driver, in under 2 ms on one core.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench/game/map/demo_game_session.h"
#include "game/map/event_character.h"
#include "game/map/map_state.h"
#include "game/map/map_update.h"
#include "game/map/map_view.h"
#include "game/map/party.h"
#include "layer/core/layer_api.h"
#include "tools/lib/demo_characters.h"

namespace {

constexpr int kEvents = 100;

void AddCrowd() {
    game::MapState& mapState = game::TheMapState;
    for (int i = 0; i < kEvents; ++i) {
        game::MapEvent event(i);
        event.x = 1 + i % 18;
        event.y = 1 + (i / 18) * 2;
        game::EventPage& page = event.pages[0];
        page.graphic.graphicName = i % 2 == 0 ? tools::kDemoNpcSheet : tools::kDemoDoubleSheet;
        page.movement.moveKind = i % 3 == 0 ? 2 : 0;
        page.movement.moveFrequency = 0;
        page.movement.moveSpeed = 4;
        page.movement.characterOptions = 0x02;
        page.options = {0, 0, 0};
        mapState.mapData.events.push_back(event);
        mapState.eventCharacters.emplace_back(mapState.mapNumber, event);
    }
}

void BM_MapFrameWithCharacters(benchmark::State& state) {
    const DemoGameSession session(state, "qvarn-chars-bench");
    if (!session.started())
        return;
    AddCrowd();
    {
        game::MapView view;
        for (auto _ : state) {
            game::UpdateMap(game::TheMapState);
            game::UpdateHero(game::TheParty);
            game::DrawMap(view);
            layer::ShowFrame();
        }
    }
}
BENCHMARK(BM_MapFrameWithCharacters)->Unit(benchmark::kMicrosecond);

}  // namespace
