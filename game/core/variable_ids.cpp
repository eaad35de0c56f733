#include "game/core/variable_ids.h"

#include <array>

#include "game/core/database.h"
#include "game/core/variable_data_bases.h"

namespace game {
namespace {

struct IdRange {
    std::int32_t first;
    std::int32_t last;
    VariableIdKind kind;
};

// Tested in order after the literals.
constexpr std::array<IdRange, 13> kRanges{{
    {1000000, 1499999, VariableIdKind::kMapEventSelf},
    {1500000, 1599999, VariableIdKind::kRetiredCommonSelf},
    {2000000, 2999999, VariableIdKind::kVariable},
    {3000000, 3999999, VariableIdKind::kStringVariable},
    {8000000, 8999999, VariableIdKind::kRandom},
    {9000000, 9099999, VariableIdKind::kSystemVariable},
    {9100000, 9179999, VariableIdKind::kMapEventData},
    {9180000, 9189999, VariableIdKind::kPartyData},
    {9900000, 9999999, VariableIdKind::kSystemString},
    {15000000, 15999999, VariableIdKind::kCommonSelf},
    {1000000000, 1099999999, VariableIdKind::kUserDataBase},
    {1100000000, 1199999999, VariableIdKind::kChangeableDataBase},
    {1300000000, 1399999999, VariableIdKind::kSystemDataBase},
}};

// Below this every range starts and ends on a whole block of kBlock IDs, so the kind of an ID
// there is the kind of its block, read from a table made of the ranges above.
constexpr std::int32_t kBlock = 10000;
constexpr std::int32_t kBlockedIds = 16000000;

constexpr bool RangesFillWholeBlocks() {
    for (const IdRange& range : kRanges) {
        if (range.first < kBlockedIds &&
            (range.first % kBlock != 0 || (range.last + 1) % kBlock != 0 ||
             range.last >= kBlockedIds))
            return false;
    }
    return true;
}
static_assert(RangesFillWholeBlocks());

VariableIdKind ClassifyByRanges(std::int32_t id) {
    for (const IdRange& range : kRanges) {
        if (id >= range.first && id <= range.last)
            return range.kind;
    }
    return VariableIdKind::kUnassigned;
}

constexpr std::array<VariableIdKind, kBlockedIds / kBlock> MakeBlockKinds() {
    std::array<VariableIdKind, kBlockedIds / kBlock> kinds{};
    kinds.fill(VariableIdKind::kUnassigned);
    for (const IdRange& range : kRanges) {
        for (std::int32_t id = range.first; id < kBlockedIds && id <= range.last; id += kBlock)
            kinds[static_cast<std::size_t>(id / kBlock)] = range.kind;
    }
    return kinds;
}

constexpr std::array<VariableIdKind, kBlockedIds / kBlock> kBlockKinds = MakeBlockKinds();

}  // namespace

VariableIdKind ClassifyVariableId(std::int32_t id) {
    if (id < 1000000)
        return VariableIdKind::kLiteral;
    if (id < kBlockedIds)
        return kBlockKinds[static_cast<std::size_t>(id / kBlock)];
    return ClassifyByRanges(id);
}

DataBaseAddress DecodeDataBaseId(std::int32_t id) {
    return {(id % 100000000) / 1000000, (id % 1000000) / 100, id % 100};
}

bool IsNumberVariableId(std::int32_t id) {
    if (id <= 16000000) {
        if (id >= 1600005 && id <= 1600009)
            return false;
        if (id >= 15000000)
            return !IsCommonStringSlot(id % 100);
        const VariableIdKind kind = ClassifyVariableId(id);
        return kind != VariableIdKind::kStringVariable && kind != VariableIdKind::kSystemString;
    }
    const VariableIdKind kind = ClassifyVariableId(id);
    if (kind != VariableIdKind::kUserDataBase && kind != VariableIdKind::kChangeableDataBase &&
        kind != VariableIdKind::kSystemDataBase)
        return true;
    const DataBaseAddress address = DecodeDataBaseId(id);
    return DataBaseForId(kind, nullptr).GetDBContentKind(address.type, address.content) ==
           kDataBaseNumber;
}

}  // namespace game
