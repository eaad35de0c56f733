// Bytes as a database pair: a 32-bit little-endian length, that many ".dat" bytes, and the
// ".project" bytes after them. Damaged parts leave their lists untouched.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "game/core/database_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4)
        return 0;
    const std::size_t stated = data[0] | data[1] << 8 | data[2] << 16 | std::size_t{data[3]} << 24;
    const std::span<const std::uint8_t> rest(data + 4, size - 4);
    const std::size_t dat_size = stated < rest.size() ? stated : rest.size();
    game::DataBase db;
    const auto result = game::ParseDataBaseDat(rest.first(dat_size), db.types);
    if (result == game::DataBaseFileResult::kDamaged && !db.types.empty())
        std::abort();
    if (!game::ParseDataBaseProject(rest.subspan(dat_size), db.typeDescs) && !db.typeDescs.empty())
        std::abort();
    for (int t = 0; t < db.GetDBTypeCount(); ++t) {
        for (int d = 0; d < db.GetDBDataCount(t) && d < 4; ++d)
            db.GetDBDataName(t, d);
    }
    return 0;
}
