#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/core/data_file_scrambler.h"

namespace tools {

// What a "Game.dat" holds. The archive key is stored as scattered bytes addressed by two
// offset tables: A[i] = (offset of key byte i + keyShift) mod 65536, B[i] = -keyShift mod
// 65536, so that A + B wraps whenever keyShift is not 0.
struct GameDatContents {
    std::vector<std::int8_t> flags;
    std::vector<std::string> strings;
    std::vector<std::uint16_t> values16;
    std::string key;
    std::uint16_t keyShift = 0;
};

// Body: flag count and flags, strings, end offset, key length, 16-bit values, the two table
// offsets, then table A, table B, the key bytes and the end byte 0xC2.
std::vector<std::uint8_t> WriteGameDat(const GameDatContents& contents,
                                       const game::ScrambleSeeds& seeds);

}  // namespace tools
