#include "tools/lib/game_dat_writer.h"

#include "tools/lib/data_file_writer.h"

namespace tools {

std::vector<std::uint8_t> WriteGameDat(const GameDatContents& contents,
                                       const game::ScrambleSeeds& seeds) {
    const game::DataFileFrame& frame = game::kGameDatFrame;
    game::DataFileBuffer cursor = StartDataFile(frame);
    cursor.WriteDataInt(static_cast<std::int32_t>(contents.flags.size()));
    for (std::int8_t flag : contents.flags)
        cursor.WriteDataByte(static_cast<std::uint8_t>(flag));
    cursor.WriteDataInt(static_cast<std::int32_t>(contents.strings.size()));
    for (const auto& text : contents.strings)
        cursor.WriteDataString(text);

    const auto key_length = static_cast<std::int32_t>(contents.key.size());
    // Everything behind the end offset has a known size, so the offsets follow from here.
    const std::int32_t fields_end = cursor.GetDataPosition() + 4 + 4 + 4 +
                                    2 * static_cast<std::int32_t>(contents.values16.size()) + 8;
    const std::int32_t table_a = fields_end;
    const std::int32_t table_b = table_a + 2 * key_length;
    const std::int32_t key_bytes = table_b + 2 * key_length;
    const std::int32_t end_offset = key_bytes + key_length;

    cursor.WriteDataInt(end_offset);
    cursor.WriteDataInt(key_length);
    cursor.WriteDataInt(static_cast<std::int32_t>(contents.values16.size()));
    for (std::uint16_t value : contents.values16)
        cursor.WriteDataShort(value);
    cursor.WriteDataInt(table_a);
    cursor.WriteDataInt(table_b);
    for (std::int32_t i = 0; i < key_length; ++i)
        cursor.WriteDataShort(static_cast<std::uint16_t>(key_bytes + i + contents.keyShift));
    for (std::int32_t i = 0; i < key_length; ++i)
        cursor.WriteDataShort(static_cast<std::uint16_t>(-contents.keyShift));
    cursor.WriteDataBytes(contents.key.data(), contents.key.size());
    cursor.WriteDataByte(0xC2);
    return FinishDataFile(cursor, frame, seeds);
}

}  // namespace tools
