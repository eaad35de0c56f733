// The map frames on both drawing routes of the offscreen video driver in one run: software
// ("SoftModeFlag=1") and GL, each frame timed up to glFinish after the present, without waiting
// for the vertical blank. The GL cases run first; each software case reports its GL case's time
// over its own as "gl_over_software". Goals: GL on llvmpipe
// at most 2 x software, on a real GPU at most 0.25 x; no read-back in a steady frame.
#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <string>

#include "bench/game/map/busy_scene.h"
#include "bench/game/map/demo_game_session.h"
#include "game/map/map_view.h"
#include "layer/core/layer_api.h"
#include "layer/graphics/graphics_services.h"

namespace {

constexpr int kCrowd = 100;

// Mean seconds per frame of each benchmark's GL case, for the software case's ratio.
std::map<std::string, double>& GlFrameTimes() {
    static std::map<std::string, double> times;
    return times;
}

// One frame per iteration on the scene `use` set up, on the route the benchmark's argument
// names (0: software, 1: GL).
void RunRouteFrames(benchmark::State& state, const char* name, void (*use)(), int crowd) {
    const bool gl = state.range(0) == 1;
    const DemoGameSession session(state, name,
                                  gl ? DrawRoute::kGlOffscreen : DrawRoute::kSoftwareOffscreen);
    if (!session.started())
        return;
    layer::SetVsyncWait(0);
    use();
    if (crowd > 0)
        bench::AddCrowd(crowd);
    game::MapView view;
    const auto start = std::chrono::steady_clock::now();
    RunCountedFrames(state, 1, [&] {
        bench::UpdateAndDrawMap(view, crowd);
        layer::ShowFrame();
    });
    const double perFrame =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
        static_cast<double>(state.iterations());
    state.SetLabel(gl ? "gl" : "software");
    if (gl) {
        GlFrameTimes()[name] = perFrame;
    } else if (GlFrameTimes().count(name) != 0) {
        state.counters["gl_over_software"] = GlFrameTimes()[name] / perFrame;
    }
    bench::CountScene(state);
}

void BM_MapFrameOnRoutes(benchmark::State& state) {
    RunRouteFrames(state, "qvarn-map-routes-bench", &bench::UseBusyStartMap, 0);
}

void BM_MapFrameWithCharactersOnRoutes(benchmark::State& state) {
    RunRouteFrames(state, "qvarn-chars-routes-bench", &bench::UseStartMap, kCrowd);
}
// Every GL case before any software one: the switch to software lasts for the process.
BENCHMARK(BM_MapFrameOnRoutes)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MapFrameWithCharactersOnRoutes)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MapFrameOnRoutes)->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MapFrameWithCharactersOnRoutes)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace
