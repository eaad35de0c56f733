#include <cstring>

#include "layer/core/double_byte_text.h"
#include "layer/core/qva_archive.h"

namespace layer {
namespace {

// Whether `size` bytes at `offset` of the table starting at `table` lie inside the block.
bool InBlock(const QvaArchive& archive, std::uint64_t table, std::uint64_t offset,
             std::uint64_t size) {
    return table + offset + size <= archive.header.directory_size;
}

bool ReadDirectoryRecord(const QvaArchive& archive, std::uint32_t offset,
                         ArchiveDirectoryRecord* directory) {
    const std::uint32_t table = archive.header.directory_table_offset;
    if (!InBlock(archive, table, offset, kArchiveDirectoryRecordSize)) {
        return false;
    }
    *directory = ParseArchiveDirectoryRecord(archive.directory + table + offset);
    return InBlock(archive, archive.header.file_table_offset, directory->first,
                   static_cast<std::uint64_t>(directory->count) * archive.file_record_size);
}

bool IsDirectory(const ArchiveFileRecord& record) {
    return (record.attributes & kArchiveDirectoryAttribute) != 0;
}

// The index of the last separator of the path, or npos; two-byte characters taken whole.
std::size_t LastSeparator(std::string_view path) {
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (IsArchiveSeparator(path[i])) {
            last = i;
        } else if (IsDoubleByteLead(static_cast<unsigned char>(path[i]), kShiftJisCharset)) {
            ++i;
        }
    }
    return last;
}

bool HasSeparator(std::string_view path) {
    return LastSeparator(path) != std::string_view::npos;
}

int EnterParent(QvaArchive* archive) {
    ArchiveDirectoryRecord current;
    if (!ReadCurrentDirectory(*archive, &current) || current.parent == kArchiveNoParent) {
        return -1;
    }
    ArchiveDirectoryRecord parent;
    if (!ReadDirectoryRecord(*archive, current.parent, &parent)) {
        return -1;
    }
    archive->current_directory = current.parent;
    return 0;
}

int EnterOneName(QvaArchive* archive, std::string_view name) {
    NameRecord record;
    if (BuildNameRecord(name, &record) != static_cast<int>(name.size()) || name.empty()) {
        return -1;
    }
    return EnterArchiveSubdir(archive, record);
}

}  // namespace

bool ReadCurrentDirectory(const QvaArchive& archive, ArchiveDirectoryRecord* directory) {
    return ReadDirectoryRecord(archive, archive.current_directory, directory);
}

bool ReadDirectoryFileRecord(const QvaArchive& archive, const ArchiveDirectoryRecord& directory,
                             std::uint32_t index, ArchiveFileRecord* record) {
    if (index >= directory.count) {
        return false;
    }
    const std::uint64_t offset = archive.header.file_table_offset + directory.first +
                                 static_cast<std::uint64_t>(index) * archive.file_record_size;
    *record = ParseArchiveFileRecord(archive.directory + offset, archive.header.version);
    return true;
}

bool ArchiveNameMatches(const QvaArchive& archive, const ArchiveFileRecord& record,
                        const NameRecord& name) {
    const std::uint64_t offset = record.name_offset;
    if (!InBlock(archive, 0, offset, kNameRecordHeaderSize + name.words.size())) {
        return false;
    }
    const std::uint8_t* bytes = archive.directory + offset;
    return LoadLe16(bytes) == name.word_count && LoadLe16(bytes + 2) == name.check &&
           std::memcmp(bytes + kNameRecordHeaderSize, name.words.data(), name.words.size()) == 0;
}

bool ReadArchiveNames(const QvaArchive& archive, const ArchiveFileRecord& record,
                      std::string_view* name, std::string_view* upper_name) {
    const std::uint64_t offset = record.name_offset;
    if (!InBlock(archive, 0, offset, kNameRecordHeaderSize)) {
        return false;
    }
    const std::uint8_t* bytes = archive.directory + offset;
    const std::uint64_t words = 4u * LoadLe16(bytes);
    if (!InBlock(archive, 0, offset + kNameRecordHeaderSize, words)) {
        return false;
    }
    const char* upper = reinterpret_cast<const char*>(bytes + kNameRecordHeaderSize);
    *upper_name = std::string_view(upper, strnlen(upper, words));
    const std::uint64_t name_start = offset + kNameRecordHeaderSize + words;
    const char* own = reinterpret_cast<const char*>(archive.directory + name_start);
    const std::size_t room = archive.header.directory_size - name_start;
    const std::size_t length = strnlen(own, room);
    if (length == room) {
        return false;
    }
    *name = std::string_view(own, length);
    return true;
}

int EnterArchiveSubdir(QvaArchive* archive, const NameRecord& name) {
    ArchiveDirectoryRecord current;
    if (!ReadCurrentDirectory(*archive, &current)) {
        return -1;
    }
    ArchiveFileRecord record;
    for (std::uint32_t i = 0; ReadDirectoryFileRecord(*archive, current, i, &record); ++i) {
        ArchiveDirectoryRecord target;
        if (IsDirectory(record) && ArchiveNameMatches(*archive, record, name) &&
            ReadDirectoryRecord(*archive, record.data_address, &target)) {
            archive->current_directory = record.data_address;
            return 0;
        }
    }
    return -1;
}

int ChangeArchiveDir(QvaArchive* archive, std::string_view path) {
    if (path == ".") {
        return 0;
    }
    if (path == "..") {
        return EnterParent(archive);
    }
    if (!HasSeparator(path)) {
        return EnterOneName(archive, path);
    }
    std::size_t at = 0;
    if (IsArchiveSeparator(path[0])) {
        archive->current_directory = 0;
        at = 1;
    }
    while (at < path.size()) {
        const std::size_t length = ArchiveComponentLength(path.substr(at));
        if (EnterOneName(archive, path.substr(at, length)) != 0) {
            return -1;
        }
        at += length + 1;
    }
    return 0;
}

bool FindArchiveFile(std::string_view path, QvaArchive* archive, ArchiveFileRecord* found) {
    const std::size_t separator = LastSeparator(path);
    const std::string_view name =
        separator == std::string_view::npos ? path : path.substr(separator + 1);
    NameRecord record;
    if (name.empty() || BuildNameRecord(name, &record) != static_cast<int>(name.size())) {
        return false;
    }
    const std::uint32_t remembered = archive->current_directory;
    bool result = false;
    ArchiveDirectoryRecord directory;
    if ((separator == std::string_view::npos ||
         ChangeArchiveDir(archive, path.substr(0, separator + 1)) == 0) &&
        ReadCurrentDirectory(*archive, &directory)) {
        ArchiveFileRecord candidate;
        for (std::uint32_t i = 0; ReadDirectoryFileRecord(*archive, directory, i, &candidate);
             ++i) {
            if (!IsDirectory(candidate) && ArchiveNameMatches(*archive, candidate, record)) {
                *found = candidate;
                result = true;
                break;
            }
        }
    }
    archive->current_directory = remembered;
    return result;
}

}  // namespace layer
