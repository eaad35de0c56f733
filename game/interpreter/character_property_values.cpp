// The character properties of the variable-from-state command.
#include <array>

#include "game/core/display_scale.h"
#include "game/interpreter/variable_from_state_sources.h"
#include "game/map/event_character.h"
#include "game/map/map_state.h"

namespace game {
namespace {

// A half-tile position as whole tiles wrapped onto a map of `size` tiles; 0 on an empty map.
std::int32_t TileOnMap(std::int64_t halfTiles, std::int64_t size) {
    return size == 0 ? 0 : static_cast<std::int32_t>((halfTiles / 2 + size) % size);
}

std::int32_t HalfTileOnMap(std::int64_t halfTiles, std::int64_t size) {
    return size == 0 ? 0 : static_cast<std::int32_t>((halfTiles + 2 * size) % (2 * size));
}

bool IsOnScreen(const MapCharacter& character) {
    const int x = GetCharacterScreenX(character, true);
    const int y = GetCharacterScreenY(character, true);
    return -TileSize < x && x < 21 * TileSize && -TileSize < y && y < 17 * TileSize;
}

// Byte `index` of the active page's byte list, when the list holds the three bytes.
std::int32_t PageByte(const EventCharacter& event, std::size_t index) {
    const auto& bytes = event.activePageCopy.options;
    return bytes.size() >= 3 ? bytes[index] : 0;
}

using CharacterProperty = std::int32_t (*)(const MapCharacter&);
using EventProperty = std::int32_t (*)(const EventCharacter&);

constexpr std::array<CharacterProperty, 12> kCharacterProperties{{
    [](const MapCharacter& c) { return TileOnMap(c.x, GetMapWidth()); },
    [](const MapCharacter& c) { return TileOnMap(c.y, GetMapHeight()); },
    [](const MapCharacter& c) { return HalfTileOnMap(c.x, GetMapWidth()); },
    [](const MapCharacter& c) { return HalfTileOnMap(c.y, GetMapHeight()); },
    [](const MapCharacter& c) { return c.lift; },
    [](const MapCharacter& c) { return std::int32_t{c.direction}; },
    [](const MapCharacter& c) { return GetCharacterScreenX(c, true); },
    [](const MapCharacter& c) { return GetCharacterScreenY(c, true); },
    [](const MapCharacter& c) { return c.pageBytes.empty() ? 0 : std::int32_t{c.pageBytes[0]}; },
    [](const MapCharacter& c) { return GetTileTagUnder(c); },
    [](const MapCharacter& c) { return c.referenceId; },
    [](const MapCharacter& c) { return IsOnScreen(c) ? 1 : 0; },
}};

// Properties 12 to 15 read the map event's page; the hero and the members give 0.
constexpr std::array<EventProperty, 4> kEventProperties{{
    [](const EventCharacter& e) { return e.activePage + 1; },
    [](const EventCharacter& e) { return e.startKind; },
    [](const EventCharacter& e) { return PageByte(e, 1); },
    [](const EventCharacter& e) { return PageByte(e, 2); },
}};

}  // namespace

std::int32_t CharacterPropertyValue(const MapCharacter* character, const EventCharacter* event,
                                    std::int32_t property) {
    if (character == nullptr)
        return -1;
    if (property < 0)
        return 0;
    const auto index = static_cast<std::size_t>(property);
    if (index < kCharacterProperties.size())
        return kCharacterProperties[index](*character);
    const std::size_t eventIndex = index - kCharacterProperties.size();
    if (eventIndex >= kEventProperties.size() || event == nullptr)
        return 0;
    return kEventProperties[eventIndex](*event);
}

}  // namespace game
