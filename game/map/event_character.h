#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/core/event_records.h"
#include "game/interpreter/event_interpreter.h"
#include "game/map/map_character.h"

namespace game {

// Start kinds of an event page.
enum PageStartKind {
    kConfirmStart = 0,
    kAutomaticStart = 1,
    kParallelStart = 2,
    kTouchStart = 3,
    kTouchEitherWayStart = 4
};

// The kinds, 0 to 4, that a trigger test may fire.
using AllowedStartKinds = std::array<std::uint8_t, 5>;

// The map character of a map event with its active page.
struct EventCharacter : MapCharacter {
    EventCharacter() = default;
    // Builds the character of `event` on map `mapId`, placed on its tile, with its page.
    EventCharacter(int mapId, const MapEvent& event);

    int mapId = 0;
    // One interpreter while the active page is parallel.
    std::vector<EventInterpreter> pageInterpreter;
    // Active page row, -1 none, a copy of it and its start kind.
    int activePage = -1;
    EventPage activePageCopy;
    int startKind = 0;
    // Set when the event is touched or confirmed; the main interpreter takes it.
    std::uint8_t runRequest = 0;
    MapEvent mapEvent;
    // The active page's command list.
    std::vector<EventCommand> commands;
    // A removal fade: frames left and in all (-1 none), and the opacity it started from.
    int removalRemaining = -1;
    int removalTotal = -1;
    int removalStartOpacity = 0;

    // The turn toward the hero when the main interpreter starts the event, and the turn back
    // when it ends.
    void FaceHeroForEvent();
    void RestoreEventFacing();
};

// Whether a page's four start conditions hold for event `eventNumber`: a condition whose
// operator has bit 0 clear ends the test as held.
bool TestPageConditions(const PageStartConditions& conditions, int eventNumber);

// Takes the last page whose conditions hold (none once removed) and applies it.
void SelectActivePage(EventCharacter& event);

// The per-frame update: removal fade, motion, automatic movement, looping, the event's own
// triggers and its parallel page.
void UpdateEventCharacter(EventCharacter& event);

// Asks the main interpreter to run the event, when it has commands and is not fading out.
void MarkEventToRun(EventCharacter& event, int value);
inline void ClearEventRunMark(EventCharacter& event) {
    event.runRequest = 0;
}
// Fades the event out over `frames` frames, then removes it.
void SetEventRemoval(EventCharacter& event, int frames);

// An event without a graphic, or passing through, on a tile one may stand on.
bool IsEventWalkable(const EventCharacter& event);
// The contact extent in half tiles of the active page: vertical or horizontal.
int GetContactExtent(const EventCharacter& event, bool vertical);

// The trigger tests. Each marks the events it fires and, but for the event's own test,
// does nothing while the main interpreter runs an event.
bool CheckHeroContact(const AllowedStartKinds& allowed);
bool CheckHeroFront(const AllowedStartKinds& allowed);
bool CheckHeroBump(int x, int y);
void CheckEventTouch(EventCharacter& event, int x, int y);
void CheckEventSelfTrigger(EventCharacter& event);

}  // namespace game
