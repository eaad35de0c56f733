#include "game/core/database.h"

namespace game {

DataBase SysDataBase;
DataBase UserDataBase;
DataBase CDataBase;
int DBReadError = 0;
int DBFileVersion = 0xC1;
std::uint8_t DBFromSaveBuffer = 0;

DataBase::DataBase() {
    DBFromSaveBuffer = 0;
    DBFileVersion = 0xC1;
}

int DataBase::GetDBTypeCount() const {
    return static_cast<int>(types.size());
}

int DataBase::GetDBDataCount(int type) const {
    if (type < 0 || type >= GetDBTypeCount())
        return -1;
    const auto& records = types[static_cast<std::size_t>(type)].records;
    return records.empty() ? -1 : static_cast<int>(records.size());
}

int DataBase::GetDBContentCount(int type) const {
    if (type < 0 || type >= GetDBTypeCount())
        return 0;
    return static_cast<int>(types[static_cast<std::size_t>(type)].contentCodes.size());
}

int DataBase::GetDBContentKind(int type, int content) const {
    if (content < 0 || content >= GetDBContentCount(type))
        return -1;
    return types[static_cast<std::size_t>(type)].contentCodes[static_cast<std::size_t>(content)] /
           1000;
}

bool DataBase::HasAddress(int type, int data, int content) const {
    return type >= 0 && type < GetDBTypeCount() && data >= 0 &&
           data < static_cast<int>(types[static_cast<std::size_t>(type)].records.size()) &&
           content >= 0 && content < GetDBContentCount(type);
}

}  // namespace game
