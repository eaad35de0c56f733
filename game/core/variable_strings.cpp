// The text accessors of the variable ID space.
#include "game/core/database.h"
#include "game/core/variable_data_bases.h"
#include "game/core/variable_ids.h"
#include "game/core/variable_reports.h"
#include "game/core/variable_store.h"

namespace game {
namespace {

constexpr char kErrorText[] = "<<ERROR>>";

struct CommonTextAddress {
    std::size_t event;
    int slot;
};
CommonTextAddress DecodeCommonId(std::int32_t id) {
    return {static_cast<std::size_t>((id % 1000000) / 100), id % 100};
}

void StoreIntoDataBase(VariableIdKind kind, std::int32_t id, const std::string& text,
                       DataBase* database) {
    DataBase& target = DataBaseForId(kind, database);
    const DataBaseAddress address = DecodeDataBaseId(id);
    GrowDataBaseFor(target, address);
    const int content_kind = target.GetDBContentKind(address.type, address.content);
    if (content_kind == kDataBaseText) {
        target.WriteDBString(address.type, address.data, address.content, text);
        return;
    }
    if (content_kind != kDataBaseNumber)
        return;  // a content the type does not have: nothing to store into
    if (kind == VariableIdKind::kUserDataBase)
        ShowVariableReport(VariableReport::kNumberIntoUserDataBase, id);
    else if (kind == VariableIdKind::kSystemDataBase)
        ShowVariableReport(VariableReport::kNumberIntoSystemDataBase, id);
    else if (database == nullptr)
        ShowVariableReport(VariableReport::kNumberIntoLiveChangeableDataBase, id);
    else
        ShowVariableReport(VariableReport::kNumberIntoGivenChangeableDataBase, id);
}

}  // namespace

void VariableStore::StoreStringById(std::int32_t id, const std::string& text, DataBase* database) {
    mapOverride = -1;
    const VariableIdKind kind = ClassifyVariableId(id);
    switch (kind) {
        case VariableIdKind::kRetiredCommonSelf:
            ShowVariableReport(VariableReport::kStringIntoRetiredCommonSelf, id);
            return;
        case VariableIdKind::kCommonSelf: {
            const CommonTextAddress at = DecodeCommonId(id);
            if (!IsCommonStringSlot(at.slot)) {
                ShowVariableReport(VariableReport::kTextIntoCommonNumber, id);
                return;
            }
            // Unlike the numbers, the text lists grow, even past the common events there are.
            if (commonStrings.size() <= at.event)
                commonStrings.resize(at.event + 1);
            auto& texts = commonStrings[at.event];
            const auto index = static_cast<std::size_t>(at.slot - 5);
            if (texts.size() <= index)
                texts.resize(index + 1);
            texts[index] = text;
            return;
        }
        case VariableIdKind::kStringVariable: {
            const auto index = static_cast<std::size_t>(id % 1000000);
            if (stringVariables.size() <= index)
                stringVariables.resize(index + 1);
            stringVariables[index] = text;
            return;
        }
        case VariableIdKind::kSystemString:
            SetSystemString(id % 100000, text);
            return;
        case VariableIdKind::kUserDataBase:
        case VariableIdKind::kChangeableDataBase:
        case VariableIdKind::kSystemDataBase:
            StoreIntoDataBase(kind, id, text, database);
            return;
        default:
            ShowVariableReport(VariableReport::kTextIntoNumberId, id, 0, text);
            return;
    }
}

std::string VariableStore::ReadStringById(std::int32_t id, DataBase* database) {
    const VariableIdKind kind = ClassifyVariableId(id);
    switch (kind) {
        case VariableIdKind::kRetiredCommonSelf:
            ShowVariableReport(VariableReport::kReadRetiredCommonSelf, id);
            return kErrorText;
        case VariableIdKind::kCommonSelf: {
            const CommonTextAddress at = DecodeCommonId(id);
            if (!IsCommonStringSlot(at.slot))
                return kErrorText;
            const auto index = static_cast<std::size_t>(at.slot - 5);
            if (at.event >= commonStrings.size() || index >= commonStrings[at.event].size())
                return "";
            return commonStrings[at.event][index];
        }
        case VariableIdKind::kStringVariable: {
            const auto index = static_cast<std::size_t>(id % 1000000);
            return index < stringVariables.size() ? stringVariables[index] : "";
        }
        case VariableIdKind::kSystemString:
            return GetSystemString(id % 100000);
        case VariableIdKind::kUserDataBase:
        case VariableIdKind::kChangeableDataBase:
        case VariableIdKind::kSystemDataBase: {
            DataBase& source = DataBaseForId(kind, database);
            const DataBaseAddress address = DecodeDataBaseId(id);
            if (&source == &CDataBase)
                GrowDataBaseFor(source, address);
            return source.ReadDBString(address.type, address.data, address.content);
        }
        default:
            return kErrorText;
    }
}

}  // namespace game
