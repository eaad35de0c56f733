#include "game/core/variable_data_bases.h"

#include "game/core/database.h"

namespace game {

DataBase& DataBaseForId(VariableIdKind kind, DataBase* given) {
    if (kind == VariableIdKind::kUserDataBase)
        return UserDataBase;
    if (kind == VariableIdKind::kSystemDataBase)
        return SysDataBase;
    return given != nullptr ? *given : CDataBase;
}

void GrowDataBaseFor(DataBase& database, const DataBaseAddress& address) {
    if (database.GetDBDataCount(address.type) <= address.data)
        database.ResizeDBDataList(address.type, address.data + 1);
}

}  // namespace game
