#pragma once

// The game that the save-file fuzz target loads into and that its seeds were written for: the
// title and the changeable database (one type of two numbers and a text, one of a number).

#include <cstdint>
#include <vector>

#include "game/core/database.h"

namespace fuzz {

inline constexpr char kSaveFuzzTitle[] = "fuzz game";

inline game::DataBase SaveFuzzDataBase() {
    game::DataBase db;
    db.types.clear();
    db.typeDescs.clear();
    const std::vector<std::vector<std::int32_t>> shapes = {{1000, 1001, 2000}, {1000}};
    for (const std::vector<std::int32_t>& codes : shapes) {
        game::DataBaseType type;
        type.contentCodes = codes;
        game::DataBaseRecord record;
        record.numbers.clear();
        record.strings.clear();
        for (const std::int32_t code : codes) {
            if (code / 1000 == 1)
                record.numbers.push_back(3);
            else
                record.strings.push_back("text");
        }
        type.records = {record, record};
        db.types.push_back(type);
        game::DataBaseTypeDesc desc;
        desc.contentDefaults.assign(codes.size(), 0);
        desc.contentNames.assign(codes.size(), "c");
        desc.dataNames.assign(2, "d");
        db.typeDescs.push_back(desc);
    }
    return db;
}

}  // namespace fuzz
