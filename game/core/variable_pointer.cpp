#include "game/core/database.h"
#include "game/core/variable_data_bases.h"
#include "game/core/variable_ids.h"
#include "game/core/variable_store.h"

namespace game {
namespace {

std::int32_t* CellOf(std::deque<std::deque<std::int32_t>>& lists, std::size_t list,
                     std::size_t index) {
    if (list >= lists.size() || index >= lists[list].size())
        return nullptr;
    return &lists[list][index];
}

}  // namespace

std::int32_t* VariableStore::GetVariablePointer(std::int32_t id, int commonEvent) {
    const VariableIdKind kind = ClassifyVariableId(id);
    if (id > 16000000) {
        if (kind != VariableIdKind::kUserDataBase && kind != VariableIdKind::kChangeableDataBase &&
            kind != VariableIdKind::kSystemDataBase)
            return nullptr;
        const DataBaseAddress address = DecodeDataBaseId(id);
        return DataBaseForId(kind, nullptr)
            .GetDBValuePointer(address.type, address.data, address.content, 1);
    }
    if (kind == VariableIdKind::kVariable) {
        if (std::int32_t* cell = PlainVariableCell(id))
            return cell;
    }
    if (commonEvent < 0)
        return nullptr;
    if (id >= 1600000 && id <= 1600099) {
        if (IsCommonStringSlot(id % 100))
            return nullptr;
        return CellOf(commonNumbers, static_cast<std::size_t>(commonEvent),
                      static_cast<std::size_t>(id % 100));
    }
    if (kind == VariableIdKind::kCommonSelf && !IsCommonStringSlot(id % 100))
        return CellOf(commonNumbers, static_cast<std::size_t>((id % 1000000) / 100),
                      static_cast<std::size_t>(id % 100));
    return nullptr;
}

}  // namespace game
