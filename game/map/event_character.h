#pragma once

#include <cstdint>
#include <vector>

#include "game/core/event_records.h"
#include "game/map/map_character.h"

namespace game {

// The map character of a map event with its active page.
struct EventCharacter : MapCharacter {
    // Set when the event is touched or confirmed; the main interpreter takes it.
    std::uint8_t runRequest = 0;
    // Active page row, -1 none, and that page's start kind (1 automatic).
    int activePage = -1;
    int startKind = 0;
    // -1 while the event is not removed.
    int removal = -1;
    // The active page's command list.
    std::vector<EventCommand> commands;

    // The turn toward the hero when the main interpreter starts the event, and the turn back
    // when it ends.
    void FaceHeroForEvent();
    void RestoreEventFacing();
};

}  // namespace game
