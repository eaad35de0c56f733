// Software frames of busy 640 x 480 maps on the dummy video driver: update, map drawing and
// present, one frame per iteration. Goals on one core: the busy scene (the looping map with
// three full tile layers, animated autotiles, the panorama, the fog at opacity 128 and 100
// characters) in at most 1.5 ms a frame.
#include <benchmark/benchmark.h>

#include "bench/game/map/busy_scene.h"
#include "bench/game/map/demo_game_session.h"
#include "game/map/map_view.h"
#include "layer/core/layer_api.h"

namespace {

constexpr int kCrowd = 100;

enum class Steps { kUpdateDrawPresent, kUpdateAndDraw };

// One frame per iteration on the scene `use` set up: the updates (the hero's when there are
// characters), the map drawing and the present unless left out.
void RunSceneFrames(benchmark::State& state, const char* name, void (*use)(), int crowd,
                    Steps steps) {
    const DemoGameSession session(state, name);
    if (!session.started())
        return;
    use();
    if (crowd > 0)
        bench::AddCrowd(crowd);
    game::MapView view;
    RunCountedFrames(state, 1, [&] {
        bench::UpdateAndDrawMap(view, crowd);
        if (steps == Steps::kUpdateDrawPresent)
            layer::ShowFrame();
    });
    bench::CountScene(state);
}

void BM_BusySceneFrame(benchmark::State& state) {
    RunSceneFrames(state, "qvarn-busy-bench", &bench::UseBusyLoopMap, kCrowd,
                   Steps::kUpdateDrawPresent);
}
BENCHMARK(BM_BusySceneFrame)->Unit(benchmark::kMicrosecond);

void BM_MapFrame(benchmark::State& state) {
    RunSceneFrames(state, "qvarn-map-bench", &bench::UseBusyStartMap, 0, Steps::kUpdateDrawPresent);
}
BENCHMARK(BM_MapFrame)->Unit(benchmark::kMicrosecond);

void BM_MapDrawOnly(benchmark::State& state) {
    RunSceneFrames(state, "qvarn-map-bench", &bench::UseBusyStartMap, 0, Steps::kUpdateAndDraw);
}
BENCHMARK(BM_MapDrawOnly)->Unit(benchmark::kMicrosecond);

// The demo's start map as it stands, its own events and the crowd on it.
void BM_MapFrameWithCharacters(benchmark::State& state) {
    RunSceneFrames(state, "qvarn-chars-bench", &bench::UseStartMap, kCrowd,
                   Steps::kUpdateDrawPresent);
}
BENCHMARK(BM_MapFrameWithCharacters)->Unit(benchmark::kMicrosecond);

}  // namespace
