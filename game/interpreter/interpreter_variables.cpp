// The interpreter's variable accessors: the running event's own IDs are rewritten, then the
// live store is asked with the map override set to the event's map.
#include <array>

#include "game/core/variable_ids.h"
#include "game/core/variable_store.h"
#include "game/interpreter/event_interpreter.h"

namespace game {
namespace {

enum class Owner { kMapEvent, kCommonEvent };

struct Rewrite {
    std::int32_t first;
    std::int32_t last;
    std::int32_t base;
    Owner owner;
    std::int32_t stride;  // IDs per owner
};

// Applied in this order, each on the result of the one before.
constexpr std::array<Rewrite, 3> kRewrites{{
    {1100000, 1199999, 1000000, Owner::kMapEvent, 10},
    {1600000, 1699999, 15000000, Owner::kCommonEvent, 100},
    {9190000, 9199999, 9100000, Owner::kMapEvent, 10},
}};
// Only the common event's own range names texts.
constexpr std::size_t kStringRewrite = 1;

std::int32_t Apply(const Rewrite& rewrite, std::int32_t id, const EventInterpreter& interpreter) {
    if (id < rewrite.first || id > rewrite.last)
        return id;
    const int owner =
        rewrite.owner == Owner::kMapEvent ? interpreter.eventNumber : interpreter.commonNumber;
    return OwnedVariableId(rewrite.base, owner, rewrite.stride, id % rewrite.stride);
}

std::int32_t RewriteValueId(std::int32_t id, const EventInterpreter& interpreter) {
    for (const Rewrite& rewrite : kRewrites)
        id = Apply(rewrite, id, interpreter);
    return id;
}

}  // namespace

// No rewrite reaches the plain variables, and an access to them takes up the map override
// as every numeric access below 1000000000 does.
std::int32_t EventInterpreter::ReadInterpreterValue(std::int32_t id) {
    if (id < 1000000)
        return id;
    if (VariableStore::IsPlainVariableId(id)) {
        TheVariableStore.mapOverride = -1;
        const std::int32_t* cell = TheVariableStore.PlainVariableCell(id);
        return cell != nullptr ? *cell : 0;
    }
    const std::int32_t target = RewriteValueId(id, *this);
    TheVariableStore.mapOverride = mapId;
    return TheVariableStore.ReadValueById(target);
}

// A plain variable past its set's end goes the general way, which grows the set.
void EventInterpreter::StoreInterpreterValue(std::int32_t id, std::int32_t value) {
    if (VariableStore::IsPlainVariableId(id)) {
        if (std::int32_t* cell = TheVariableStore.PlainVariableCell(id)) {
            TheVariableStore.mapOverride = -1;
            *cell = value;
            return;
        }
    }
    const std::int32_t target = RewriteValueId(id, *this);
    TheVariableStore.mapOverride = mapId;
    TheVariableStore.StoreValueById(target, value);
}

std::string EventInterpreter::ReadInterpreterString(std::int32_t id, DataBase* database) {
    const std::int32_t target = Apply(kRewrites[kStringRewrite], id, *this);
    TheVariableStore.mapOverride = mapId;
    return TheVariableStore.ReadStringById(target, database);
}

void EventInterpreter::StoreInterpreterString(std::int32_t id, const std::string& text) {
    const std::int32_t target = Apply(kRewrites[kStringRewrite], id, *this);
    TheVariableStore.mapOverride = mapId;
    TheVariableStore.StoreStringById(target, text);
}

}  // namespace game
