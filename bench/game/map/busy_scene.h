#pragma once

#include <benchmark/benchmark.h>

// The scenes the map frame benchmarks draw, set up on the global map state of a started demo.
namespace bench {

// The demo's start map with its three tile layers filled: water autotiles below, fences and
// trunks in between, tree tops above; the demo's panorama and its fog at opacity 128, both
// scrolling.
void UseBusyStartMap();
// The demo's looping map (10 x 8, looping both ways) with its layers filled as above, the
// panorama and the fog.
void UseBusyLoopMap();
// Event characters on the map: two sheets, shadows on, every third walking at random.
void AddCrowd(int events);

// The scene as counters: tile cells on the screen (over the three layers), characters and
// full-screen layers (panorama and fog).
void CountScene(benchmark::State& state);

}  // namespace bench
