#include "game/interpreter/dispatch_commands.h"
#include "game/interpreter/event_interpreter.h"
#include "game/map/map_state.h"
#include "game/map/party.h"

namespace game {

MapCharacter* CharacterOfReference(const EventInterpreter& interpreter, std::int64_t value) {
    if (value <= -3) {
        const std::int64_t member = -value - 3;  // 0: the first member after the hero
        if (member >= static_cast<std::int64_t>(TheParty.members.size()))
            return nullptr;
        return GetPartyCharacter(TheParty, static_cast<int>(member) + 1);
    }
    if (value == -2)
        return &TheParty;
    return MapEventOfReference(interpreter, value);
}

EventCharacter* MapEventOfReference(const EventInterpreter& interpreter, std::int64_t value) {
    if (value < -1 || value > INT32_MAX)
        return nullptr;
    const std::int64_t number = value == -1 ? interpreter.eventNumber : value;
    return FindEventCharacter(TheMapState, static_cast<int>(number));
}

MapCharacter* ResolveCharacterRef(EventInterpreter& interpreter, std::int32_t reference) {
    return CharacterOfReference(interpreter, interpreter.ReadInterpreterValue(reference));
}

}  // namespace game
