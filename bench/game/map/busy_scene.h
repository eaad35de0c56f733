#pragma once

#include <benchmark/benchmark.h>

namespace game {
struct MapView;
}

// The scenes the map frame benchmarks draw, set up on the global map state of a started demo.
namespace bench {

// The demo's start map as it stands.
void UseStartMap();
// The demo's start map with its three tile layers filled: water autotiles below, fences and
// trunks in between, tree tops above; the demo's panorama and its fog at opacity 128, both
// scrolling.
void UseBusyStartMap();
// The demo's looping map (10 x 8, looping both ways) with its layers filled as above, the
// panorama and the fog.
void UseBusyLoopMap();
// Event characters on the map: two sheets, shadows on, every third walking at random.
void AddCrowd(int events);

// One frame's map work: the map's update (the hero's too when there are characters), the
// panorama and fog scroll and the map drawing, without the present.
void UpdateAndDrawMap(game::MapView& view, int crowd);

// The scene as counters: tile cells on the screen (over the three layers), characters and
// full-screen layers (panorama and fog).
void CountScene(benchmark::State& state);

}  // namespace bench
