#include "tools/lib/tile_set_writer.h"

#include "tools/lib/data_file_writer.h"

namespace tools {

std::vector<std::uint8_t> WriteTileSetData(const std::vector<game::TileSet>& sets,
                                           std::uint8_t versionByte,
                                           const game::ScrambleSeeds& seeds) {
    game::DataFileBuffer cursor = StartDataFile(game::kDataFileFrame);
    cursor.WriteDataByte(versionByte);
    cursor.WriteDataInt(static_cast<std::int32_t>(sets.size()));
    for (const game::TileSet& set : sets) {
        cursor.WriteDataString(set.name);
        for (const auto& name : set.imageNames)
            cursor.WriteDataString(name);
        cursor.WriteDataByte(0xFF);
        cursor.WriteDataInt(static_cast<std::int32_t>(set.tags.size()));
        cursor.WriteDataBytes(set.tags.data(), set.tags.size());
        // A byte the reader passes over.
        cursor.WriteDataByte(0xFF);
        cursor.WriteDataInt(static_cast<std::int32_t>(set.attributes.size()));
        for (std::int32_t attribute : set.attributes) {
            if (versionByte == 0xD0)
                cursor.WriteDataInt(attribute);
            else
                cursor.WriteDataByte(static_cast<std::uint8_t>(attribute));
        }
    }
    cursor.WriteDataByte(0xCF);
    return FinishDataFile(cursor, game::kDataFileFrame, seeds);
}

game::TileSet MakeTileSet(int baseCells) {
    game::TileSet set;
    const auto count = static_cast<std::size_t>(game::TileSet::kFirstBaseIndex + baseCells);
    set.tags.assign(count, 0);
    set.attributes.assign(count, 0);
    return set;
}

}  // namespace tools
