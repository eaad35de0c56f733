#pragma once

// Test clips written to files and read through the plain file set, counting the bytes read.

#include <atomic>
#include <cstdint>
#include <string>

#include "layer/core/file_operation_table.h"
#include "platform/game_path.h"
#include "tests/support/temp_tree.h"
#include "tools/lib/theora_clip_writer.h"

namespace test {

inline std::atomic<std::int64_t> clip_bytes_read{0};

inline int CountingClipRead(void* destination, int element_size, int count,
                            layer::FileHandle file) {
    const int read = layer::PlainFileOperations().read(destination, element_size, count, file);
    if (read > 0) {
        clip_bytes_read += std::int64_t{read} * element_size;
    }
    return read;
}

// The plain set with its reads counted in clip_bytes_read.
inline layer::FileOperationTable CountingClipFiles() {
    layer::FileOperationTable table = layer::PlainFileOperations();
    table.read = CountingClipRead;
    return table;
}

// The clip's bytes as a file below the tree; its game path.
inline std::string WriteClipFile(const TempTree& tree, const std::string& name,
                                 const std::vector<std::uint8_t>& bytes) {
    const auto file = tree.write(
        name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return platform::DiskPathToGamePath(file.string());
}

// The XRGB pixel (alpha 255) the integer BT.601 conversion gives a flat colour.
inline std::uint32_t TableXrgb(const tools::YuvColour& colour) {
    const auto clamp = [](int sum) {
        const int value = sum / 16384;
        return static_cast<std::uint32_t>(value < 0 ? 0 : value > 255 ? 255 : value);
    };
    const int luma = 19070 * (colour.y - 16);
    const int u = colour.u - 128;
    const int v = colour.v - 128;
    return 0xFF000000u | clamp(luma + 26148 * v) << 16 | clamp(luma - 6406 * u - 13320 * v) << 8 |
           clamp(luma + 33062 * u);
}

}  // namespace test
