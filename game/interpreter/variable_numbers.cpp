// The numeric accessors of the variable ID space.
#include "game/core/database.h"
#include "game/core/game_random.h"
#include "game/core/variable_data_bases.h"
#include "game/core/variable_ids.h"
#include "game/core/variable_reports.h"
#include "game/core/variable_store.h"
#include "game/map/character_variables.h"
#include "game/map/map_state.h"
#include "game/map/party.h"

namespace game {
namespace {

// Map numbers the self variables can be kept for.
constexpr int kLastMapNumber = 99999;

bool IsStoredMap(int map) {
    return map >= 0 && map <= kLastMapNumber;
}

struct SelfAddress {
    std::size_t event;
    std::size_t slot;
};
SelfAddress DecodeSelfId(std::int32_t id) {
    return {static_cast<std::size_t>((id % 100000) / 10), static_cast<std::size_t>(id % 10)};
}

struct CommonAddress {
    std::size_t event;
    int slot;
};
CommonAddress DecodeCommonId(std::int32_t id) {
    return {static_cast<std::size_t>((id % 1000000) / 100), id % 100};
}

struct VariableAddress {
    std::size_t set;
    std::size_t index;
};
VariableAddress DecodeVariableId(std::int32_t id) {
    return {static_cast<std::size_t>((id - 2000000) / 100000),
            static_cast<std::size_t>(id % 100000)};
}

MapCharacter* CharacterOfId(VariableIdKind kind, std::int32_t id) {
    if (kind == VariableIdKind::kMapEventData)
        return FindEventCharacter(TheMapState, (id - 9100000) / 10);
    return GetPartyCharacter(TheParty, (id - 9180000) / 10);
}

void StoreIntoDataBase(VariableIdKind kind, std::int32_t id, std::int32_t value,
                       DataBase* database) {
    DataBase& target = DataBaseForId(kind, database);
    const DataBaseAddress address = DecodeDataBaseId(id);
    GrowDataBaseFor(target, address);
    const int content_kind = target.GetDBContentKind(address.type, address.content);
    if (content_kind == kDataBaseNumber) {
        target.WriteDBValue(address.type, address.data, address.content, value);
        return;
    }
    if (content_kind != kDataBaseText)
        return;  // a content the type does not have: nothing to store into
    if (kind == VariableIdKind::kUserDataBase)
        ShowVariableReport(VariableReport::kTextIntoUserDataBase, id);
    else if (kind == VariableIdKind::kSystemDataBase)
        ShowVariableReport(VariableReport::kTextIntoSystemDataBase, id);
    else
        ShowVariableReport(VariableReport::kTextIntoChangeableDataBase, id);
}

}  // namespace

void VariableStore::StoreValueById(std::int32_t id, std::int32_t value, DataBase* database) {
    const VariableIdKind kind = ClassifyVariableId(id);
    const int map = id < 1000000000 ? TakeAccessMap() : -1;
    switch (kind) {
        case VariableIdKind::kLiteral:
            ShowVariableReport(VariableReport::kStoreBelowRange, id);
            return;
        case VariableIdKind::kRetiredCommonSelf:
            ShowVariableReport(VariableReport::kStoreRetiredCommonSelf, id);
            return;
        case VariableIdKind::kMapEventSelf: {
            if (!IsStoredMap(map))
                return;
            const SelfAddress at = DecodeSelfId(id);
            const auto m = static_cast<std::size_t>(map);
            if (selfVariables.size() <= m)
                selfVariables.resize(m + 1);
            auto& events = selfVariables[m];
            if (events.size() <= at.event)
                events.resize(at.event + 1);
            auto& slots = events[at.event];
            if (slots.size() <= at.slot)
                slots.resize(at.slot + 1);
            slots[at.slot] = value;
            return;
        }
        case VariableIdKind::kCommonSelf: {
            const CommonAddress at = DecodeCommonId(id);
            if (IsCommonStringSlot(at.slot)) {
                ShowVariableReport(VariableReport::kNumberIntoCommonString, id);
                return;
            }
            if (at.event < commonNumbers.size() &&
                static_cast<std::size_t>(at.slot) < commonNumbers[at.event].size())
                commonNumbers[at.event][static_cast<std::size_t>(at.slot)] = value;
            return;
        }
        case VariableIdKind::kVariable: {
            const VariableAddress at = DecodeVariableId(id);
            if (variableSets.size() <= at.set)
                variableSets.resize(at.set + 1);
            auto& set = variableSets[at.set];
            if (set.size() <= at.index)
                set.resize(at.index + 3);
            set[at.index] = value;
            return;
        }
        case VariableIdKind::kSystemVariable:
            SetSystemVariable(id % 1000000, value);
            return;
        case VariableIdKind::kMapEventData:
        case VariableIdKind::kPartyData:
            if (MapCharacter* character = CharacterOfId(kind, id))
                WriteCharacterField(*character, id % 10, value);
            return;
        case VariableIdKind::kUserDataBase:
        case VariableIdKind::kChangeableDataBase:
        case VariableIdKind::kSystemDataBase:
            StoreIntoDataBase(kind, id, value, database);
            return;
        case VariableIdKind::kUnassigned:
            if (id >= 1000000000)
                ShowVariableReport(VariableReport::kStoreUnassignedDataBase, id, value);
            return;
        case VariableIdKind::kStringVariable:
        case VariableIdKind::kRandom:
        case VariableIdKind::kSystemString:
            return;
    }
}

std::int32_t VariableStore::ReadValueById(std::int32_t id, DataBase* database) {
    const VariableIdKind kind = ClassifyVariableId(id);
    const int map = id < 1000000000 ? TakeAccessMap() : -1;
    switch (kind) {
        case VariableIdKind::kRetiredCommonSelf:
            ShowVariableReport(VariableReport::kReadRetiredCommonSelf, id);
            return 0;
        case VariableIdKind::kLiteral:
            return id;
        case VariableIdKind::kMapEventSelf: {
            if (!IsStoredMap(map) || selfVariables.size() <= static_cast<std::size_t>(map))
                return 0;
            const SelfAddress at = DecodeSelfId(id);
            const auto& events = selfVariables[static_cast<std::size_t>(map)];
            if (events.size() <= at.event || events[at.event].size() <= at.slot)
                return 0;
            return events[at.event][at.slot];
        }
        case VariableIdKind::kCommonSelf: {
            const CommonAddress at = DecodeCommonId(id);
            if (IsCommonStringSlot(at.slot) || at.event >= commonNumbers.size() ||
                static_cast<std::size_t>(at.slot) >= commonNumbers[at.event].size())
                return 0;
            return commonNumbers[at.event][static_cast<std::size_t>(at.slot)];
        }
        case VariableIdKind::kVariable: {
            const VariableAddress at = DecodeVariableId(id);
            if (at.set >= variableSets.size() || at.index >= variableSets[at.set].size())
                return 0;
            return variableSets[at.set][at.index];
        }
        case VariableIdKind::kStringVariable:
            ShowVariableReport(VariableReport::kReadStringAsNumber, id);
            return -1;
        case VariableIdKind::kRandom: {
            const auto range = static_cast<std::uint32_t>(id % 8000000) + 1u;
            return static_cast<std::int32_t>(
                GameRandomControl(static_cast<int>(RandomMode::kStep)) % range);
        }
        case VariableIdKind::kSystemVariable:
            return GetSystemVariable(id % 1000000);
        case VariableIdKind::kMapEventData: {
            const MapCharacter* character = CharacterOfId(kind, id);
            return character != nullptr ? ReadCharacterField(*character, id % 10) : 0;
        }
        case VariableIdKind::kPartyData: {
            const MapCharacter* character = CharacterOfId(kind, id);
            return character != nullptr ? ReadCharacterField(*character, id % 10) : -1;
        }
        case VariableIdKind::kUserDataBase:
        case VariableIdKind::kChangeableDataBase:
        case VariableIdKind::kSystemDataBase: {
            DataBase& source = DataBaseForId(kind, database);
            const DataBaseAddress address = DecodeDataBaseId(id);
            if (&source == &CDataBase)
                GrowDataBaseFor(source, address);
            return source.ReadDBValue(address.type, address.data, address.content);
        }
        case VariableIdKind::kSystemString:
        case VariableIdKind::kUnassigned:
            return 0;
    }
    return 0;
}

}  // namespace game
