#pragma once

#include <array>
#include <string>
#include <unordered_map>
#include <vector>

namespace game {

// Name -> number.
using NameHandleMap = std::unordered_map<std::string, int>;

// Indexed by database: 0 the changeable, 1 the system, 2 the user database.
extern std::array<NameHandleMap, 3> DBTypeNameMaps;
// Per database, one map per type.
extern std::array<std::vector<NameHandleMap>, 3> DBDataNameMaps;
extern std::array<std::vector<NameHandleMap>, 3> DBContentNameMaps;

// Rebuilds the three sets of maps from the loaded databases. Walking from the top down, the
// lowest number wins when names repeat; names taken from another database enter as they
// read at that moment.
void BuildDBNameMaps();

}  // namespace game
