#pragma once

#include <cstdint>

namespace game {

class EventInterpreter;
struct EventCharacter;
struct MapCharacter;

// The sources of the variable-from-state command.

// Property 0 to 15 of a character (positions, lift, direction, screen place, shadow, tag,
// reference, on screen, and the map event's page values); -1 without a character, 0 for
// other properties.
std::int32_t CharacterPropertyValue(const MapCharacter* character, const EventCharacter* event,
                                    std::int32_t property);

// Query 0 to 4 at half tile (x, y): the tag, the first map event there, whether tiles or the
// hero's step block it, and the topmost tile-set index; 0 for other queries. halfTiles false
// compares map events by whole tiles.
std::int32_t MapQueryValue(std::int32_t query, std::int32_t x, std::int32_t y, bool halfTiles);

// Item 0 to 17 of the game: map, music and background sound, mouse, the running event and
// the map size; 0 for other items.
std::int32_t SystemStateValue(const EventInterpreter& interpreter, std::int32_t item);

}  // namespace game
