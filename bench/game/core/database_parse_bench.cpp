// Goal: a 10 MB database pair parses in 50 ms or less.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "game/core/data_file_buffer.h"
#include "game/core/data_file_scrambler.h"
#include "game/core/database_files.h"

namespace {

constexpr int kNumbers = 20;
constexpr int kStrings = 5;
constexpr int kRecords = 36000;  // about 10 MB with the texts below

// A scrambled ".dat" of one type with kRecords records and its ".project".
struct Pair {
    std::vector<std::uint8_t> dat;
    std::vector<std::uint8_t> project;
};

Pair MakePair() {
    game::DataFileBuffer dat;
    const std::vector<std::uint8_t> header(10, 0);
    dat.WriteDataBytes(header.data(), header.size());
    dat.WriteDataByte(0xC1);
    dat.WriteDataInt(1);
    dat.WriteDataInt(-2);
    dat.WriteDataInt(0);
    dat.WriteDataInt(kNumbers + kStrings);
    for (int i = 0; i < kNumbers; ++i)
        dat.WriteDataInt(1000 + i);
    for (int i = 0; i < kStrings; ++i)
        dat.WriteDataInt(2000 + i);
    dat.WriteDataInt(kRecords);
    const std::string text(40, 'q');
    for (int r = 0; r < kRecords; ++r) {
        for (int i = 0; i < kNumbers; ++i)
            dat.WriteDataInt(r + i);
        for (int i = 0; i < kStrings; ++i)
            dat.WriteDataString(text);
    }
    dat.WriteDataByte(0xC1);
    Pair pair;
    pair.dat = dat.TakeData();
    game::SealDataFile(pair.dat, game::kDataFileFrame, game::ScrambleSeeds{11, 22, 33});

    game::DataFileBuffer project;
    project.WriteDataInt(1);
    project.WriteDataString("type");
    project.WriteDataInt(kNumbers + kStrings);
    for (int i = 0; i < kNumbers + kStrings; ++i)
        project.WriteDataString("content");
    project.WriteDataInt(kRecords);
    for (int r = 0; r < kRecords; ++r)
        project.WriteDataString("data name");
    project.WriteDataString("");
    for (int list = 0; list < 5; ++list)
        project.WriteDataInt(0);
    pair.project = project.TakeData();
    return pair;
}

void BM_ParseDataBasePair(benchmark::State& state) {
    const Pair pair = MakePair();
    for (auto _ : state) {
        game::DataBase db;
        game::ParseDataBaseDat(pair.dat, db.types);
        game::ParseDataBaseProject(pair.project, db.typeDescs);
        benchmark::DoNotOptimize(db.types.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(pair.dat.size() + pair.project.size()));
}
BENCHMARK(BM_ParseDataBasePair)->Unit(benchmark::kMillisecond);

}  // namespace
