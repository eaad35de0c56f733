// Goals for 640 x 480 movies: converting a 4:2:0 frame within 1 ms; a 30 fps clip played for
// 10 s with a draw every 16 ms finds its frame decoded in all but 1 % of the draws ("waits");
// an open paused movie costs at most 1 % of a core ("core %").
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "layer/media/media_services.h"
#include "layer/media/movie_handles.h"
#include "layer/media/theora_decoder.h"
#include "layer/media/theora_stock.h"
#include "platform/game_path.h"
#include "tools/lib/theora_clip_writer.h"

namespace {

// A 640 x 480 clip written to a temporary file, removed with the object.
class ClipFile {
  public:
    ClipFile(int frame_count, int fps) {
        layer::BuildYuvTables();
        tools::TheoraClipOptions options;
        options.coded_width = 640;
        options.coded_height = 480;
        options.frame_count = frame_count;
        options.fps_numerator = fps;
        options.keyframe_interval = fps;
        const std::vector<std::uint8_t> bytes = tools::WriteTheoraClip(options).bytes;
        std::ofstream(file_, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    ~ClipFile() { std::filesystem::remove(file_); }
    ClipFile(const ClipFile&) = delete;
    ClipFile& operator=(const ClipFile&) = delete;

    std::string GamePath() const { return platform::DiskPathToGamePath(file_.string()); }

  private:
    std::filesystem::path file_ = std::filesystem::temp_directory_path() /
                                  ("qvarn-movie-bench-" + std::to_string(getpid()) + ".ogv");
};

double ProcessCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void BM_ConvertTheoraFrame640x480(benchmark::State& state) {
    const ClipFile clip(3, 30);
    const int movie = layer::OpenMovie(clip.GamePath().c_str(), nullptr, nullptr, 0);
    layer::TheoraDecoder* decoder = layer::GetMovieRecord(movie)->Theora;
    for (auto _ : state) {
        // A whole round of the movie: the same frame, to be converted again.
        layer::AdvanceTheoraFrame(decoder, 3);
        benchmark::DoNotOptimize(layer::ConvertTheoraFrame(decoder, 1, 0));
    }
    layer::DisposeMovie(movie);
}
BENCHMARK(BM_ConvertTheoraFrame640x480)->Unit(benchmark::kMillisecond);

int waits = 0;

// The frame callback of the played clip: counts the draws whose frame was not decoded yet.
int CountWaitAndConvert(layer::MovieRecord* movie, void*) {
    layer::TheoraDecoder* decoder = movie->Theora;
    if (layer::FindStockEntry(decoder, layer::GetTheoraFrameNumber(decoder)) < 0) {
        ++waits;
    }
    return layer::ConvertTheoraFrame(decoder, 1, 0);
}

void BM_PlayClipTenSecondsDrawingEvery16Ms(benchmark::State& state) {
    const ClipFile clip(300, 30);
    for (auto _ : state) {
        const int movie = layer::OpenMovie(clip.GamePath().c_str(), nullptr, nullptr, 0);
        layer::SetMovieFrameCallback(movie, CountWaitAndConvert, nullptr);
        waits = 0;
        int draws = 0;
        layer::PlayMovie(movie, 1);
        const auto start = std::chrono::steady_clock::now();
        for (auto next = start; next - start < std::chrono::seconds(10);
             next += std::chrono::milliseconds(16)) {
            std::this_thread::sleep_until(next);
            layer::SyncMovieFrame(movie, 0);
            ++draws;
        }
        state.counters["waits %"] = 100.0 * waits / draws;
        layer::DisposeMovie(movie);
    }
}
BENCHMARK(BM_PlayClipTenSecondsDrawingEvery16Ms)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

void BM_OpenPausedMovieForTwoSeconds(benchmark::State& state) {
    const ClipFile clip(60, 30);
    for (auto _ : state) {
        const int movie = layer::OpenMovie(clip.GamePath().c_str(), nullptr, nullptr, 0);
        // The thread fills its stock first; the cost is that of standing still afterwards.
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        const double before = ProcessCpuSeconds();
        std::this_thread::sleep_for(std::chrono::seconds(2));
        state.counters["core %"] = 100.0 * (ProcessCpuSeconds() - before) / 2.0;
        layer::DisposeMovie(movie);
    }
}
BENCHMARK(BM_OpenPausedMovieForTwoSeconds)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
