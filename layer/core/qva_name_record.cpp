#include "layer/core/qva_name_record.h"

#include "layer/core/double_byte_text.h"

namespace layer {
namespace {

constexpr std::size_t kMaxWordCount = 0xFFFF;

bool IsLead(char c) {
    return IsDoubleByteLead(static_cast<unsigned char>(c), kShiftJisCharset);
}

}  // namespace

std::size_t ArchiveComponentLength(std::string_view path) {
    std::size_t i = 0;
    while (i < path.size() && !IsArchiveSeparator(path[i])) {
        i += IsLead(path[i]) && i + 1 < path.size() ? 2 : 1;
    }
    return i;
}

int BuildNameRecord(std::string_view path, NameRecord* record) {
    const std::size_t length = ArchiveComponentLength(path);
    const std::size_t word_count = length / 4 + 1;
    if (word_count > kMaxWordCount) {
        return -1;
    }
    record->words.assign(word_count * 4, '\0');
    unsigned check = 0;
    for (std::size_t i = 0; i < length; ++i) {
        char c = path[i];
        if (IsLead(c) && i + 1 < length) {
            record->words[i] = c;
            check += static_cast<unsigned char>(c);
            c = path[++i];
        } else if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
        record->words[i] = c;
        check += static_cast<unsigned char>(c);
    }
    record->word_count = static_cast<std::uint16_t>(word_count);
    record->check = static_cast<std::uint16_t>(check);
    return static_cast<int>(length);
}

}  // namespace layer
