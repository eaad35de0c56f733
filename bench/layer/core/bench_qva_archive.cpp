// Resource archives: LZ decoding speed, a small file opened and read under the remembered
// archive, and packing.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "layer/core/file_lifecycle.h"
#include "layer/core/layer_api.h"
#include "layer/core/qva_lz.h"
#include "platform/file_system.h"
#include "platform/game_path.h"
#include "tools/lib/qva_lz_encode.h"
#include "tools/lib/qva_writer.h"

namespace {

// Database-like bytes: records of text and numbers, as games store them.
std::string GameLikeBytes(std::size_t size) {
    std::string bytes;
    std::uint32_t seed = 1;
    while (bytes.size() < size) {
        seed = seed * 1103515245u + 12345u;
        bytes += "Item" + std::to_string(seed % 500) + "\t" + std::to_string(seed >> 20) +
                 "\tA sword of the old kingdom\r\n";
        for (int i = 0; i < 8; ++i) {
            bytes.push_back(static_cast<char>(seed >> (i * 3)));
        }
    }
    bytes.resize(size);
    return bytes;
}

tools::QvaNode File(std::string name, std::string data) {
    tools::QvaNode node;
    node.name = std::move(name);
    node.data = std::move(data);
    return node;
}

tools::QvaNode Folder(std::string name, std::vector<tools::QvaNode> children) {
    tools::QvaNode node;
    node.name = std::move(name);
    node.directory = true;
    node.children = std::move(children);
    return node;
}

void DecodeQvaLzBlock(benchmark::State& state) {
    const std::string data = GameLikeBytes(8 << 20);
    const std::string block = tools::EncodeQvaLz(data);
    std::string out(data.size(), '\0');
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            layer::DecodeQvaLz(reinterpret_cast<const std::uint8_t*>(block.data()), block.size(),
                               reinterpret_cast<std::uint8_t*>(out.data()), out.size()));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * data.size()));
}
BENCHMARK(DecodeQvaLzBlock)->Unit(benchmark::kMillisecond);

// Goal: at most 5 microseconds per open, read and close.
void OpenSmallArchivedFile(benchmark::State& state, const char* name) {
    char folder_template[] = "/tmp/qva-bench-XXXXXX";
    const std::filesystem::path folder = mkdtemp(folder_template);
    const std::string archive = tools::WriteQvaArchive(
        Folder("", {Folder("BasicData", {File("Stored.dat", std::string(200, 's')),
                                         File("Packed.dat", GameLikeBytes(2000))})}),
        {});
    std::ofstream(folder / "Data.qva", std::ios::binary) << archive;
    const std::string previous = platform::GetCurrentFolder();
    platform::SetCurrentFolder(platform::DiskPathToGamePath(folder.string()));
    layer::ResetFileSystem();
    const std::string path = std::string("Data\\BasicData\\") + name;
    std::string buffer(4096, '\0');
    for (auto _ : state) {
        const layer::FileHandle file = layer::OpenDataFile(path.c_str(), 0);
        benchmark::DoNotOptimize(layer::ReadDataFile(buffer.data(), 200, file));
        layer::CloseDataFile(file);
    }
    layer::ResetFileSystem();
    platform::SetCurrentFolder(previous);
    std::filesystem::remove_all(folder);
}
BENCHMARK_CAPTURE(OpenSmallArchivedFile, stored, "Stored.dat")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(OpenSmallArchivedFile, compressed, "Packed.dat")->Unit(benchmark::kMicrosecond);

// Goal: 10 MB packed in at most 2 seconds.
void PackTenMegabytes(benchmark::State& state) {
    std::vector<tools::QvaNode> files;
    for (int i = 0; i < 40; ++i) {
        files.push_back(File("File" + std::to_string(i) + ".dat", GameLikeBytes(250000 + i)));
    }
    const tools::QvaNode tree = Folder("", {Folder("Data", std::move(files))});
    for (auto _ : state) {
        benchmark::DoNotOptimize(tools::WriteQvaArchive(tree, {}));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 40 * 250000);
}
BENCHMARK(PackTenMegabytes)->Unit(benchmark::kMillisecond);

}  // namespace
