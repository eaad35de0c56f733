#include "game/map/character_variables.h"

#include <array>

#include "game/map/map_character.h"

namespace game {
namespace {

struct CharacterField {
    int MapCharacter::*member;
    // Half tiles per unit of the field: whole-tile fields read halved and write doubled.
    std::int32_t scale;
};

constexpr std::array<CharacterField, 5> kFields{{
    {&MapCharacter::x, 2},
    {&MapCharacter::y, 2},
    {&MapCharacter::x, 1},
    {&MapCharacter::y, 1},
    {&MapCharacter::lift, 1},
}};

bool HasField(int field) {
    return field >= 0 && field < static_cast<int>(kFields.size());
}

}  // namespace

std::int32_t ReadCharacterField(const MapCharacter& character, int field) {
    if (!HasField(field))
        return 0;
    const CharacterField& row = kFields[static_cast<std::size_t>(field)];
    return character.*row.member / row.scale;
}

void WriteCharacterField(MapCharacter& character, int field, std::int32_t value) {
    if (!HasField(field))
        return;
    const CharacterField& row = kFields[static_cast<std::size_t>(field)];
    // The product wraps like the game's 32-bit ints.
    character.*row.member = static_cast<std::int32_t>(static_cast<std::uint32_t>(value) *
                                                      static_cast<std::uint32_t>(row.scale));
}

}  // namespace game
