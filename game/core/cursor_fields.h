#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "game/core/data_file_buffer.h"
#include "game/core/save_buffer.h"

namespace game {

// The fields that records read and write the same way through the data-file cursor and
// the save cursor. Reads return false once the cursor has failed.

inline bool GetByte(DataFileBuffer& cursor, std::uint8_t& value) {
    value = cursor.ReadDataByte();
    return !cursor.damaged();
}
inline bool GetByte(SaveBuffer& cursor, std::uint8_t& value) {
    return cursor.ReadByte(value);
}
inline bool GetInt(DataFileBuffer& cursor, std::int32_t& value) {
    value = cursor.ReadDataInt();
    return !cursor.damaged();
}
inline bool GetInt(SaveBuffer& cursor, std::int32_t& value) {
    return cursor.ReadInt(value);
}
inline bool GetBytes(DataFileBuffer& cursor, void* out, std::size_t n) {
    return cursor.ReadDataBytes(out, n);
}
inline bool GetBytes(SaveBuffer& cursor, void* out, std::size_t n) {
    return cursor.ReadBytes(out, n);
}
inline bool GetString(DataFileBuffer& cursor, std::string& text) {
    text = cursor.ReadDataString();
    return !cursor.damaged();
}
inline bool GetString(SaveBuffer& cursor, std::string& text) {
    return cursor.ReadString(text);
}
// False (and the cursor failed) for a negative count or one the rest cannot hold.
inline bool CountFits(DataFileBuffer& cursor, std::int64_t count, std::size_t itemBytes) {
    return cursor.CountFits(count, itemBytes);
}
inline bool CountFits(SaveBuffer& cursor, std::int64_t count, std::size_t itemBytes) {
    return cursor.CountFits(count, itemBytes);
}

inline void PutByte(DataFileBuffer& cursor, std::uint8_t value) {
    cursor.WriteDataByte(value);
}
inline void PutByte(SaveBuffer& cursor, std::uint8_t value) {
    cursor.WriteByte(value);
}
inline void PutInt(DataFileBuffer& cursor, std::int32_t value) {
    cursor.WriteDataInt(value);
}
inline void PutInt(SaveBuffer& cursor, std::int32_t value) {
    cursor.WriteInt(value);
}
inline void PutBytes(DataFileBuffer& cursor, const void* bytes, std::size_t n) {
    cursor.WriteDataBytes(bytes, n);
}
inline void PutBytes(SaveBuffer& cursor, const void* bytes, std::size_t n) {
    cursor.WriteBytes(bytes, n);
}

}  // namespace game
