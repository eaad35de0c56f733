#include "game/map/party.h"

namespace game {

Party TheParty;

MapCharacter* GetPartyCharacter(Party& party, int member) {
    if (member == 0)
        return &party;
    if (member < 0 || static_cast<std::size_t>(member) > party.members.size())
        return nullptr;
    return &party.members[static_cast<std::size_t>(member) - 1];
}

}  // namespace game
