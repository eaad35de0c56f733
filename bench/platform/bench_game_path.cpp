// Game-path resolution with warm listings. Goal: a 6-level mixed-case path in <= 20 us.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "platform/game_path.h"

namespace {

// Six levels below a temporary folder, the folders aged so their listings are trusted.
class BenchTree {
  public:
    BenchTree() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "bench-path-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        root_ = pattern;
        std::filesystem::path folder = root_;
        for (const char* name : {"Data", "BASICDATA", "MapData", "Layer04", "sub_FIVE"}) {
            folder /= name;
            std::filesystem::create_directory(folder);
            std::ofstream(folder / "Neighbour.dat") << "n";
        }
        std::ofstream(folder / "Target.DAT") << "t";
        const timespec aged[2] = {{std::time(nullptr) - 3600, 0}, {std::time(nullptr) - 3600, 0}};
        for (std::filesystem::path up = folder; up != root_.parent_path(); up = up.parent_path()) {
            utimensat(AT_FDCWD, up.c_str(), aged, 0);
        }
    }
    ~BenchTree() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    std::string GamePath(const std::string& relative) const {
        return platform::DiskPathToGamePath(root_.string()) + "\\" + relative;
    }

  private:
    std::filesystem::path root_;
};

void ResolveMixedCase(benchmark::State& state) {
    const BenchTree tree;
    const std::string path =
        tree.GamePath("data\\BasicData\\mapdata\\LAYER04\\Sub_Five\\target.dat");
    if (!platform::ResolveGamePath(path)) {
        state.SkipWithError("path not found");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::ResolveGamePath(path));
}
BENCHMARK(ResolveMixedCase)->Unit(benchmark::kMicrosecond);

void ResolveExactCase(benchmark::State& state) {
    const BenchTree tree;
    const std::string path =
        tree.GamePath("Data\\BASICDATA\\MapData\\Layer04\\sub_FIVE\\Target.DAT");
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::ResolveGamePath(path));
}
BENCHMARK(ResolveExactCase)->Unit(benchmark::kMicrosecond);

}  // namespace
