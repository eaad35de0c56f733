#include "game/map/party.h"

#include "game/core/save_buffer.h"
#include "game/core/variable_store.h"

namespace game {
namespace {

constexpr int kHeroShadowVariable = 36;

}  // namespace

Party TheParty;

Party::Party() : members(kMemberSlots) {
    ApplyCharacterSettings(*this);
    graphicName.clear();
    isHero = 1;
    slideOnDiagonals = 1;
    pageBytes.assign(
        1, static_cast<std::uint8_t>(TheVariableStore.GetSystemVariable(kHeroShadowVariable)));
    appliedShadow = -1;
    movedThisFrame = 0;
    moveHistory.clear();
    runningRoute.steps.clear();
    for (std::size_t n = 0; n < members.size(); ++n) {
        members[n].passThrough = 1;
        members[n].partyMember = 1;
        members[n].referenceId = -3 - static_cast<int>(n);
    }
}

MapCharacter* GetPartyCharacter(Party& party, int member) {
    if (member == 0)
        return &party;
    if (member < 0 || static_cast<std::size_t>(member) > party.members.size())
        return nullptr;
    return &party.members[static_cast<std::size_t>(member) - 1];
}

void WriteParty(SaveBuffer& save, const Party& party) {
    WriteMapCharacter(save, party);
    save.WriteInt(static_cast<std::int32_t>(party.members.size()));
    for (const MapCharacter& member : party.members)
        WriteMapCharacter(save, member);
    save.WriteByte(party.partyStepHold);
    save.WriteByte(party.movedThisFrame);
    save.WriteInt(static_cast<std::int32_t>(party.moveHistory.size()));
    for (std::int32_t direction : party.moveHistory)
        save.WriteInt(direction);
}

bool ReadParty(SaveBuffer& save, Party& party) {
    std::int32_t count = 0;
    if (!ReadMapCharacter(save, party) || !save.ReadInt(count))
        return false;
    if (count > Party::kMaxSavedMembers || !save.CountFits(count, 1))
        return save.CountFits(-1, 1);
    party.members.resize(static_cast<std::size_t>(count));
    for (MapCharacter& member : party.members) {
        if (!ReadMapCharacter(save, member))
            return false;
    }
    std::int32_t length = 0;
    if (!save.ReadByte(party.partyStepHold) || !save.ReadByte(party.movedThisFrame) ||
        !save.ReadInt(length) || !save.CountFits(length, 4))
        return false;
    party.moveHistory.resize(static_cast<std::size_t>(length));
    for (std::int32_t& direction : party.moveHistory) {
        if (!save.ReadInt(direction))
            return false;
    }
    return true;
}

}  // namespace game
