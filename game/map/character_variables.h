#pragma once

#include <cstdint>

namespace game {

struct MapCharacter;

// The five fields of a character in the variable ID space: 0 and 1 the position in whole
// tiles, 2 and 3 in half tiles, 4 the height in pixels; fields 5 to 9 read 0 and ignore
// writes.
std::int32_t ReadCharacterField(const MapCharacter& character, int field);
void WriteCharacterField(MapCharacter& character, int field, std::int32_t value);

}  // namespace game
