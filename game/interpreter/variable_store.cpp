// The members of VariableStore that reach the running game: the link to the live main
// interpreter and the map an access is for.
#include "game/core/variable_store.h"

#include "game/core/common_event.h"
#include "game/core/database.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/map_state.h"

namespace game {
namespace {

// Variable set i takes its size from the data count of this type of SysDataBase plus i.
constexpr int kFirstVariableSetType = 14;
constexpr int kTypesForVariableSets = 16;

}  // namespace

VariableStore TheVariableStore(VariableStore::Contents::kEmpty);

VariableStore::VariableStore(Contents contents) : link(&TheMainInterpreter) {
    if (contents == Contents::kReset)
        ResetVariableStore();
}

void VariableStore::ResetVariableStore() {
    mapOverride = -1;
    selfVariables.clear();
    stringVariables.clear();
    const std::size_t common_count = CommonEvents.events.size();
    commonNumbers.assign(common_count, std::deque<std::int32_t>(kCommonNumberSlots));
    commonStrings.assign(common_count, std::vector<std::string>(kCommonStringSlots));
    variableSets.assign(kVariableSetCount, {});
    if (SysDataBase.GetDBTypeCount() < kTypesForVariableSets)
        return;
    for (int set = 0; set < kVariableSetCount; ++set) {
        const int count = SysDataBase.GetDBDataCount(kFirstVariableSetType + set);
        if (count > 0)
            variableSets[static_cast<std::size_t>(set)].resize(static_cast<std::size_t>(count));
    }
}

int VariableStore::TakeAccessMap() {
    const int map = mapOverride >= 0 ? mapOverride : TheMapState.mapNumber;
    mapOverride = -1;
    return map;
}

bool VariableStore::LinkedToLiveInterpreter() const {
    return link == &TheMainInterpreter;
}

}  // namespace game
