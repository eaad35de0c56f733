#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "layer/core/qva_key.h"

namespace tools {

// A tree to pack: names are CP932 bytes, times FILETIMEs.
struct QvaNode {
    std::string name;
    bool directory = false;
    std::string data;
    std::uint64_t file_time = 0;
    std::vector<QvaNode> children;
};

struct QvaWriteOptions {
    std::uint16_t version = 3;
    // Versions 2 and 3 compress every file that gets smaller; this stores them all as they are.
    bool store = false;
    // The key: 12 raw key bytes, else the key derived from a key string (CP932), else the key
    // of no key string.
    std::optional<layer::ArchiveKey> raw_key;
    std::optional<std::string> key_string;
};

// The archive bytes of the root's children. Records are sorted by their upper-cased names, so
// that the same tree always gives the same bytes. Throws std::runtime_error naming what cannot
// be stored: a name that is not one path component, two names a look-up cannot tell apart, a
// size past the format's 32-bit fields, a version above 3.
std::string WriteQvaArchive(const QvaNode& root, const QvaWriteOptions& options);

}  // namespace tools
