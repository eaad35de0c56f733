#pragma once

#include <cstddef>
#include <cstdint>

namespace layer {

// The byte layout of a QVA resource archive, shared by the reader and the packer. Every field
// is little-endian; every offset is of the un-keyed bytes.

constexpr std::uint8_t kArchiveMagic[2] = {'Q', 'V'};
constexpr std::uint16_t kArchiveNewestVersion = 3;
// Versions from this one on may store files LZ-compressed and have 44-byte file records.
constexpr std::uint16_t kArchiveCompressionVersion = 2;

constexpr std::size_t kArchiveHeaderSize = 24;
constexpr std::size_t kArchiveFileRecordSizeOld = 40;
constexpr std::size_t kArchiveFileRecordSizeNew = 44;
constexpr std::size_t kArchiveDirectoryRecordSize = 16;
constexpr std::size_t kNameRecordHeaderSize = 4;
constexpr std::size_t kQvaLzHeaderSize = 9;

constexpr std::uint32_t kArchiveDirectoryAttribute = 0x10;
// The compressed size of a file stored as it is.
constexpr std::uint32_t kArchiveStored = 0xFFFFFFFF;
// The parent of the root directory.
constexpr std::uint32_t kArchiveNoParent = 0xFFFFFFFF;

struct ArchiveHeader {
    std::uint16_t version = 0;
    std::uint32_t directory_size = 0;
    std::uint32_t data_offset = 0;
    std::uint32_t directory_offset = 0;
    std::uint32_t file_table_offset = 0;       // within the directory block
    std::uint32_t directory_table_offset = 0;  // within the directory block
};

struct ArchiveFileRecord {
    std::uint32_t name_offset = 0;  // of its NameRecord in the name table
    std::uint32_t attributes = 0;
    std::uint64_t creation_time = 0;  // FILETIMEs
    std::uint64_t last_access_time = 0;
    std::uint64_t last_write_time = 0;
    // A file's data offset from the data area; a directory's record offset in the directory
    // table.
    std::uint32_t data_address = 0;
    std::uint32_t size = 0;
    std::uint32_t compressed_size = kArchiveStored;
};

struct ArchiveDirectoryRecord {
    std::uint32_t reserved = 0;
    std::uint32_t parent = kArchiveNoParent;  // offset in the directory table
    std::uint32_t count = 0;                  // of file records
    std::uint32_t first = 0;                  // offset of the first in the file table
};

inline std::uint16_t LoadLe16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t LoadLe32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline std::uint64_t LoadLe64(const std::uint8_t* p) {
    return LoadLe32(p) | (static_cast<std::uint64_t>(LoadLe32(p + 4)) << 32);
}

constexpr std::size_t ArchiveFileRecordSize(std::uint16_t version) {
    return version >= kArchiveCompressionVersion ? kArchiveFileRecordSizeNew
                                                 : kArchiveFileRecordSizeOld;
}

// Reads the header fields; false when the magic is not "QV".
bool ParseArchiveHeader(const std::uint8_t* bytes, ArchiveHeader* header);
// Reads a file record of the given version from its bytes. Versions before compression store
// every file as it is.
ArchiveFileRecord ParseArchiveFileRecord(const std::uint8_t* bytes, std::uint16_t version);
ArchiveDirectoryRecord ParseArchiveDirectoryRecord(const std::uint8_t* bytes);

}  // namespace layer
