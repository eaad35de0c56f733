#pragma once

#include <cstdint>
#include <vector>

#include "game/map/map_character.h"

namespace game {

// The hero, who is the party object itself, and the members following it (member 0 first).
struct Party : MapCharacter {
    std::vector<MapCharacter> members;
    // While 1 the hero's steps are kept from the members' trail, the latest in partyHeldStep.
    std::uint8_t partyStepHold = 0;
    int partyHeldStep = 0;
};

extern Party TheParty;

// Member 0 is the hero, member m the m-th follower; null beyond the party.
MapCharacter* GetPartyCharacter(Party& party, int member);

}  // namespace game
