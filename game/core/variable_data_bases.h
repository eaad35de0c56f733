#pragma once

#include "game/core/variable_ids.h"

namespace game {

class DataBase;

// Content kinds of GetDBContentKind.
constexpr int kDataBaseNumber = 1;
constexpr int kDataBaseText = 2;

// The database a database ID names: the user or system database, or for the changeable
// range the given one (the live CDataBase when none is given).
DataBase& DataBaseForId(VariableIdKind kind, DataBase* given);

// Grows the type's records so that the address's data exists, as stores and reads of the
// live changeable database do. A missing type is reported by the resize.
void GrowDataBaseFor(DataBase& database, const DataBaseAddress& address);

}  // namespace game
