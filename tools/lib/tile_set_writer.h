#pragma once

#include <cstdint>
#include <vector>

#include "game/core/data_file_scrambler.h"
#include "game/map/tile_set.h"

namespace tools {

// "BasicData\TileSetData.dat" in version 1 (0xCF: one byte per attribute) or 2 (0xD0: an
// i32 per attribute); the file closes with 0xCF in both. Scrambled from byte 10 with the
// seeds (all zero: plain).
std::vector<std::uint8_t> WriteTileSetData(const std::vector<game::TileSet>& sets,
                                           std::uint8_t versionByte,
                                           const game::ScrambleSeeds& seeds);

// A set whose base image holds baseCells tiles: tags and attributes for 8 + baseCells
// indices, all 0.
game::TileSet MakeTileSet(int baseCells);

}  // namespace tools
