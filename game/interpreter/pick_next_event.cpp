#include "game/core/common_event.h"
#include "game/core/screen_state.h"
#include "game/interpreter/event_interpreter.h"
#include "game/map/map_state.h"

namespace game {
namespace {

constexpr int kAutomaticPage = 1;

}  // namespace

void EventInterpreter::PickNextEvent() {
    if (TheMapState.pageRefreshRequest != 0)
        RefreshEventPages(TheMapState);

    const int reserved = TheScreenState.reservedCommonEvent;
    if (reserved >= 0) {
        const auto index = static_cast<std::size_t>(reserved);
        ownCommands = index < CommonEvents.events.size() ? CommonEvents.events[index].commands
                                                         : std::vector<EventCommand>{};
        // The event number stays that of the event run last.
        StartInterpreter(CommandListRef::Own(), eventNumber, reserved);
        TheScreenState.reservedCommonEvent = -1;
        return;
    }

    for (EventCharacter& event : TheMapState.eventCharacters) {
        if (event.runRequest == 0)
            continue;
        // An automatic page keeps its request and runs again whenever the interpreter idles.
        if (event.startKind != kAutomaticPage) {
            event.runRequest = 0;
            event.FaceHeroForEvent();
        }
        ownCommands = event.commands;
        StartInterpreter(CommandListRef::Own(), event.referenceId, -1);
        return;
    }

    for (const CommonEvent& event : automaticEvents) {
        if (!TestAutoRunCondition(event))
            continue;
        ownCommands = event.commands;
        StartInterpreter(CommandListRef::Own(), -1, event.number);
        return;
    }
}

}  // namespace game
