#include "game/core/database_name_maps.h"

#include "game/core/database.h"

namespace game {
namespace {

DataBase* const kSlotDataBases[3] = {&CDataBase, &SysDataBase, &UserDataBase};

}  // namespace

std::array<NameHandleMap, 3> DBTypeNameMaps;
std::array<std::vector<NameHandleMap>, 3> DBDataNameMaps;
std::array<std::vector<NameHandleMap>, 3> DBContentNameMaps;

void BuildDBNameMaps() {
    for (std::size_t slot = 0; slot < 3; ++slot) {
        const DataBase& db = *kSlotDataBases[slot];
        const int type_count = db.GetDBTypeCount();
        DBTypeNameMaps[slot].clear();
        DBDataNameMaps[slot].assign(static_cast<std::size_t>(type_count), {});
        DBContentNameMaps[slot].assign(static_cast<std::size_t>(type_count), {});
        for (int type = type_count - 1; type >= 0; --type) {
            DBTypeNameMaps[slot][db.GetDBTypeName(type)] = type;
            auto& data_names = DBDataNameMaps[slot][static_cast<std::size_t>(type)];
            for (int data = db.GetDBDataCount(type) - 1; data >= 0; --data)
                data_names[db.GetDBDataName(type, data)] = data;
            auto& content_names = DBContentNameMaps[slot][static_cast<std::size_t>(type)];
            for (int content = db.GetDBContentCount(type) - 1; content >= 0; --content)
                content_names[db.GetDBContentName(type, content)] = content;
        }
    }
}

}  // namespace game
