// Goal: one software frame of a busy 640 x 480 map (update, map drawing and present on the
// dummy video driver) in under 2 ms on one core, characters included once they draw.
// Three full layers with animated autotiles and tiles of passes 1 and 2, a panorama and a fog.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench/game/map/demo_game_session.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/map_state.h"
#include "game/map/map_update.h"
#include "game/map/map_view.h"
#include "layer/core/layer_api.h"
#include "tools/lib/demo_map.h"

namespace {

// Water everywhere below, fences and trunks in between, tree tops above.
game::MapData BusyMap() {
    game::MapData map = tools::DemoStartMap();
    const std::vector<std::string> pond(15, std::string(20, '~'));
    for (int x = 0; x < 20; ++x) {
        for (int y = 0; y < 15; ++y) {
            const auto column = static_cast<std::size_t>(x);
            const auto row = static_cast<std::size_t>(y);
            map.tileLayers[0][column][row] = tools::WaterTileAt(pond, x, y);
            map.tileLayers[1][column][row] = (x + y) % 2 == 0 ? tools::kFence : tools::kTrunk;
            map.tileLayers[2][column][row] = tools::kTreeTop;
        }
    }
    return map;
}

void UseBusyMap() {
    game::MapState& mapState = game::TheMapState;
    mapState.mapData = BusyMap();
    mapState.tileSet = tools::DemoTileSet();
    mapState.baseImageName = mapState.tileSet.imageNames[0];
    for (std::size_t i = 0; i < mapState.autotileImageNames.size(); ++i)
        mapState.autotileImageNames[i] = mapState.tileSet.imageNames[i + 1];
    mapState.attributes = mapState.tileSet.attributes;
    mapState.tags = mapState.tileSet.tags;
    game::MainInterpreter& m = game::TheMainInterpreter;
    m.PanoramaImage = m.FogImage = -2;
    m.PanoramaFile = tools::kDemoPanoramaImage;
    m.FogFile = tools::kDemoFogImage;
    m.PanoramaScrollX = m.FogScrollX = 8;
    m.FogOpacity = 128;
}

// Runs one frame per iteration on the busy map: the update and the map drawing, and the
// present when asked.
void RunBusyMapFrames(benchmark::State& state, bool present) {
    const DemoGameSession session(state, "qvarn-map-bench");
    if (!session.started())
        return;
    UseBusyMap();
    {
        game::MapView view;
        for (auto _ : state) {
            game::UpdateMap(game::TheMapState);
            game::ScrollPanoramaAndFog(view);
            game::DrawMap(view);
            if (present)
                layer::ShowFrame();
        }
    }
}
void BM_MapFrame(benchmark::State& state) {
    RunBusyMapFrames(state, true);
}
BENCHMARK(BM_MapFrame)->Unit(benchmark::kMicrosecond);

void BM_MapDrawOnly(benchmark::State& state) {
    RunBusyMapFrames(state, false);
}
BENCHMARK(BM_MapDrawOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
