// The map queries of the variable-from-state command, at a half-tile position.
#include <array>

#include "game/interpreter/variable_from_state_sources.h"
#include "game/map/character_movement.h"
#include "game/map/map_state.h"
#include "game/map/party.h"
#include "game/map/tile_queries.h"

namespace game {
namespace {

struct MapQueryPlace {
    std::int32_t x, y;
    bool halfTiles;
};

std::int32_t FirstEventAt(const MapQueryPlace& place) {
    for (const EventCharacter& event : TheMapState.eventCharacters) {
        const bool here = place.halfTiles
                              ? event.x == place.x && event.y == place.y
                              : event.x / 2 == place.x / 2 && event.y / 2 == place.y / 2;
        if (here)
            return event.referenceId;
    }
    return -1;
}

// The tile-set index of the highest layer whose tile is not the empty one, layer 0 whatever
// it holds.
std::int32_t TopTileIndex(const MapQueryPlace& place) {
    for (int layer = 2; layer > 0; --layer) {
        const int index = GetTileIndexAt(TheMapState, place.x, place.y, layer);
        if (index != 0)
            return index;
    }
    return GetTileIndexAt(TheMapState, place.x, place.y, 0);
}

using MapQuery = std::int32_t (*)(const MapQueryPlace&);

constexpr std::array<MapQuery, 5> kMapQueries{{
    [](const MapQueryPlace& p) { return std::int32_t{GetTileTagAt(TheMapState, p.x, p.y)}; },
    FirstEventAt,
    [](const MapQueryPlace& p) { return CanPassTile(TheMapState, p.x, p.y, 0, -1) ? 0 : 1; },
    [](const MapQueryPlace& p) { return CanCharacterStep(TheParty, p.x, p.y, 0) ? 0 : 1; },
    TopTileIndex,
}};

}  // namespace

std::int32_t MapQueryValue(std::int32_t query, std::int32_t x, std::int32_t y, bool halfTiles) {
    if (query < 0 || static_cast<std::size_t>(query) >= kMapQueries.size())
        return 0;
    return kMapQueries[static_cast<std::size_t>(query)]({x, y, halfTiles});
}

}  // namespace game
