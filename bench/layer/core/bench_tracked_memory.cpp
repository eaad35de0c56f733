#include <benchmark/benchmark.h>

#include "layer/core/tracked_memory.h"

namespace {

// Goal: one tracked allocation and release within 150 ns.
void BM_TrackedAllocFree(benchmark::State& state) {
    const auto size = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        void* block = layer::AllocTracked(size, __FILE__, __LINE__);
        benchmark::DoNotOptimize(block);
        layer::FreeTracked(block);
    }
}
BENCHMARK(BM_TrackedAllocFree)->Arg(16)->Arg(256)->Arg(4096);

}  // namespace
