#pragma once

#include <cstdint>
#include <vector>

#include "game/map/map_character.h"

namespace game {

class SaveBuffer;
struct InputState;

// The hero, who is the party object itself, and the members following it (member 0 first).
struct Party : MapCharacter {
    static constexpr int kMemberSlots = 5;
    // Members read at most this many from a save: more would reach the draw items of the
    // tile rows.
    static constexpr int kMaxSavedMembers = 9;
    // Length of the move history after a gathering.
    static constexpr int kHistoryLength = 100;

    Party();

    std::vector<MapCharacter> members;
    // Set when the hero's half-tile position changed this frame.
    std::uint8_t movedFlag = 0;
    // While 1 the members all take the hero's last step, kept in partyHeldStep, instead of
    // the move history.
    std::uint8_t partyStepHold = 0;
    int partyHeldStep = 0;
};

extern Party TheParty;

// Member 0 is the hero, member m the m-th follower; null beyond the party.
MapCharacter* GetPartyCharacter(Party& party, int member);

// The party's save block: the hero, the members, the follow mode and the move history.
void WriteParty(SaveBuffer& save, const Party& party);
bool ReadParty(SaveBuffer& save, Party& party);

// What the keys ask of the hero this frame: a walking direction (0 none) and confirm.
struct HeroInput {
    int direction = 0;
    bool confirm = false;
};
HeroInput ReadHeroInput(const InputState& inputState);

// The hero's frame: input, the party, the view, looping, its routes and its triggers.
void UpdateHero(Party& party);
// An input step: events met at the target are touched, then the hero steps.
bool HeroStep(Party& party, int direction, bool turn);
// Every step of the hero goes into the move history, or is held in follow-last mode.
void RecordHeroStep(Party& party, int direction);
void UpdatePartyMembers(Party& party);
// Puts every member on the hero and refills the history with zeros.
void GatherParty(Party& party);
// Centres the view on half tile (x, y), kept on the map where it does not loop.
void CenterViewOn(int x, int y);
// Places the character (tiles with half 0, half tiles with half 1) and centres the view on
// it.
void PlaceCharacterAndCenterView(MapCharacter& character, int x, int y, int half);

}  // namespace game
