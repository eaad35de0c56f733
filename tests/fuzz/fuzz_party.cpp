// Bytes as the party's save block: the hero, at most nine members and the move history.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "game/core/save_buffer.h"
#include "game/map/party.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    game::SaveBuffer save(std::vector<std::uint8_t>(data, data + size));
    game::Party party;
    if (!game::ReadParty(save, party) && save.position() > save.end())
        std::abort();
    if (party.members.size() > game::Party::kMaxSavedMembers)
        std::abort();
    return 0;
}
