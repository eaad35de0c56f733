// Bytes as a resource archive: open it in memory, walk every directory it names, open and read
// every file in it. Damaged archives must fail cleanly, whatever their bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "layer/core/archive_search.h"
#include "layer/core/qva_archive.h"

namespace {

constexpr int kMaxDepth = 8;
constexpr int kMaxVisits = 200;

void ReadEntry(layer::QvaArchive* archive, const std::string& name) {
    layer::ArchiveEntry entry;
    if (layer::OpenArchiveEntry(&entry, archive, name, 0) != 0) {
        return;
    }
    std::vector<std::uint8_t> buffer(4096);
    while (layer::ReadArchiveEntry(&entry, buffer.data(), 4096) > 0) {
    }
    layer::SeekArchiveEntry(&entry, -3, 2);
    layer::ReadArchiveEntry(&entry, buffer.data(), 10);
    layer::CloseArchiveEntry(&entry);
}

// Directories may form cycles in damaged archives, so the walk is bounded.
void Walk(layer::QvaArchive* archive, int depth, int* visits) {
    layer::FileInfo info;
    layer::ArchiveSearch* search = layer::FindFirstInArchive(archive, "*", &info);
    if (search == nullptr) {
        return;
    }
    do {
        if (++*visits > kMaxVisits) {
            break;
        }
        if (info.name == "." || info.name == "..") {
            continue;
        }
        if (info.directory == 0) {
            ReadEntry(archive, info.name);
        } else if (depth < kMaxDepth) {
            const std::uint32_t here = archive->current_directory;
            if (layer::ChangeArchiveDir(archive, info.name) == 0) {
                Walk(archive, depth + 1, visits);
            }
            archive->current_directory = here;
        }
    } while (layer::NextArchiveMatch(search, &info) == 0);
    layer::FreeArchiveSearch(search);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    layer::QvaArchive archive;
    if (layer::OpenArchiveMemoryImage(&archive, data, size, nullptr) != 0) {
        return 0;
    }
    int visits = 0;
    Walk(&archive, 0, &visits);
    layer::CloseArchive(&archive);
    return 0;
}
