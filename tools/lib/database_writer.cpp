#include "tools/lib/database_writer.h"

#include <algorithm>

#include "game/core/data_file_buffer.h"
#include "tools/lib/data_file_writer.h"

namespace tools {
namespace {

void WriteTexts(game::DataFileBuffer& cursor, const std::vector<std::string>& texts) {
    cursor.WriteDataInt(static_cast<std::int32_t>(texts.size()));
    for (const auto& text : texts)
        cursor.WriteDataString(text);
}

void WriteType(game::DataFileBuffer& cursor, const game::DataBaseType& type, DBTypeLayout layout) {
    const auto count = static_cast<std::int32_t>(type.contentCodes.size());
    if (layout == DBTypeLayout::kMinusOne) {
        cursor.WriteDataInt(-1);
    } else if (layout == DBTypeLayout::kWithNameSource) {
        cursor.WriteDataInt(std::min(type.layoutCode, -2));
        cursor.WriteDataInt(type.nameSource);
    }
    cursor.WriteDataInt(count);
    for (std::int32_t code : type.contentCodes)
        cursor.WriteDataInt(code);
    cursor.WriteDataInt(static_cast<std::int32_t>(type.records.size()));
    for (const auto& record : type.records) {
        for (std::int32_t number : record.numbers)
            cursor.WriteDataInt(number);
        for (const auto& text : record.strings)
            cursor.WriteDataString(text);
    }
}

void WriteDescription(game::DataFileBuffer& cursor, const game::DataBaseTypeDesc& desc,
                      std::uint8_t version) {
    cursor.WriteDataString(desc.typeName);
    WriteTexts(cursor, desc.contentNames);
    WriteTexts(cursor, desc.dataNames);
    cursor.WriteDataString(desc.typeNote);
    if (version == 0xC0)
        return;
    cursor.WriteDataInt(static_cast<std::int32_t>(desc.contentFlags.size()));
    cursor.WriteDataBytes(desc.contentFlags.data(), desc.contentFlags.size());
    WriteTexts(cursor, desc.contentTexts);
    cursor.WriteDataInt(static_cast<std::int32_t>(desc.contentTextLists.size()));
    for (const auto& list : desc.contentTextLists)
        WriteTexts(cursor, list);
    cursor.WriteDataInt(static_cast<std::int32_t>(desc.contentNumberLists.size()));
    for (const auto& list : desc.contentNumberLists) {
        cursor.WriteDataInt(static_cast<std::int32_t>(list.size()));
        for (std::int32_t number : list)
            cursor.WriteDataInt(number);
    }
    cursor.WriteDataInt(static_cast<std::int32_t>(desc.contentDefaults.size()));
    for (std::int32_t number : desc.contentDefaults)
        cursor.WriteDataInt(number);
}

}  // namespace

std::vector<std::uint8_t> WriteDataBaseDat(const game::DataBase& db,
                                           const DataBaseFileOptions& options) {
    const game::DataFileFrame& frame = game::kDataFileFrame;
    game::DataFileBuffer cursor = StartDataFile(frame);
    cursor.WriteDataByte(options.version);
    cursor.WriteDataInt(static_cast<std::int32_t>(db.types.size()));
    for (const auto& type : db.types)
        WriteType(cursor, type, options.typeLayout);
    cursor.WriteDataByte(options.version);
    return FinishDataFile(cursor, frame, options.seeds);
}

std::vector<std::uint8_t> WriteDataBaseProject(const game::DataBase& db,
                                               const DataBaseFileOptions& options) {
    game::DataFileBuffer cursor;
    cursor.WriteDataInt(static_cast<std::int32_t>(db.typeDescs.size()));
    for (const auto& desc : db.typeDescs)
        WriteDescription(cursor, desc, options.version);
    return cursor.TakeData();
}

}  // namespace tools
