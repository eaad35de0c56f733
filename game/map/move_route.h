#pragma once

#include "game/core/event_records.h"

namespace game {

struct EventCharacter;
struct MapCharacter;

// Route option bits.
inline constexpr int kRouteRepeats = 0x01;
inline constexpr int kRouteSkipsBlockedSteps = 0x02;

// One call of the route interpreter: movement and facing steps end the call, settings go
// on with the next step. Map events follow their page route with their own steps, which can
// touch the hero; every other route uses the plain steps.
void RunEventRoute(EventCharacter& event);
void RunCharacterRoute(MapCharacter& character);

// Puts the running route aside (unless one is already put aside) and runs `route` from its
// first step at once.
void StartForcedRoute(MapCharacter& character, MoveRoute route);

}  // namespace game
