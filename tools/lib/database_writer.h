#pragma once

#include <cstdint>
#include <vector>

#include "game/core/data_file_scrambler.h"
#include "game/core/database.h"

namespace tools {

// How a type block opens: with its content count alone, with -1 and the count, or with its
// layout code (-2 or below), its name source and the count.
enum class DBTypeLayout { kCountOnly, kMinusOne, kWithNameSource };

struct DataBaseFileOptions {
    std::uint8_t version = 0xC1;  // 0xC0 descriptions stop after the type note
    DBTypeLayout typeLayout = DBTypeLayout::kWithNameSource;
    game::ScrambleSeeds seeds{};
};

// The ".dat" file of a database: version byte, types, version byte; scrambled with the
// options' seeds.
std::vector<std::uint8_t> WriteDataBaseDat(const game::DataBase& db,
                                           const DataBaseFileOptions& options);
// The ".project" file of the same database, plain.
std::vector<std::uint8_t> WriteDataBaseProject(const game::DataBase& db,
                                               const DataBaseFileOptions& options);

}  // namespace tools
