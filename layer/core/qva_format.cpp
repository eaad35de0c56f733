#include "layer/core/qva_format.h"

namespace layer {

bool ParseArchiveHeader(const std::uint8_t* bytes, ArchiveHeader* header) {
    if (bytes[0] != kArchiveMagic[0] || bytes[1] != kArchiveMagic[1]) {
        return false;
    }
    header->version = LoadLe16(bytes + 2);
    header->directory_size = LoadLe32(bytes + 4);
    header->data_offset = LoadLe32(bytes + 8);
    header->directory_offset = LoadLe32(bytes + 12);
    header->file_table_offset = LoadLe32(bytes + 16);
    header->directory_table_offset = LoadLe32(bytes + 20);
    return true;
}

ArchiveFileRecord ParseArchiveFileRecord(const std::uint8_t* bytes, std::uint16_t version) {
    ArchiveFileRecord record;
    record.name_offset = LoadLe32(bytes);
    record.attributes = LoadLe32(bytes + 4);
    record.creation_time = LoadLe64(bytes + 8);
    record.last_access_time = LoadLe64(bytes + 16);
    record.last_write_time = LoadLe64(bytes + 24);
    record.data_address = LoadLe32(bytes + 32);
    record.size = LoadLe32(bytes + 36);
    record.compressed_size =
        version >= kArchiveCompressionVersion ? LoadLe32(bytes + 40) : kArchiveStored;
    return record;
}

ArchiveDirectoryRecord ParseArchiveDirectoryRecord(const std::uint8_t* bytes) {
    ArchiveDirectoryRecord record;
    record.reserved = LoadLe32(bytes);
    record.parent = LoadLe32(bytes + 4);
    record.count = LoadLe32(bytes + 8);
    record.first = LoadLe32(bytes + 12);
    return record;
}

}  // namespace layer
