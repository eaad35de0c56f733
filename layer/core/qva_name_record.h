#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace layer {

// The look-up form of a name in an archive: the upper-cased name in 4-byte words with at least
// one zero byte of padding, the number of words and the sum of the name's bytes. Names are
// compared by word count and check first, then word by word.
struct NameRecord {
    std::uint16_t word_count = 0;
    std::uint16_t check = 0;
    std::string words;  // 4 * word_count bytes
};

// "\" and "/" separate the components of paths inside archives.
inline bool IsArchiveSeparator(char c) {
    return c == '\\' || c == '/';
}

// The byte length of the first component of a path: up to the first separator or the end,
// two-byte characters taken whole.
std::size_t ArchiveComponentLength(std::string_view path);

// Builds the record of the path's first component (a-z upper-cased, two-byte characters kept
// as they are). Returns the component's length in bytes, or -1 when it is too long for a
// record's word count.
int BuildNameRecord(std::string_view path, NameRecord* record);

}  // namespace layer
