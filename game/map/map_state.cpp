#include "game/map/map_state.h"

#include "game/core/map_event_lookup.h"

namespace game {

MapState TheMapState;

void RefreshEventPages(MapState& mapState) {
    mapState.pageRefreshRequest = 0;
}

EventCharacter* FindEventCharacter(MapState& mapState, int eventNumber) {
    const int index = FindMapEventIndex(mapState.mapData, eventNumber);
    if (index < 0 || static_cast<std::size_t>(index) >= mapState.eventCharacters.size())
        return nullptr;
    return &mapState.eventCharacters[static_cast<std::size_t>(index)];
}

int GetMapWidth() {
    return TheMapState.mapData.header.width;
}

int GetMapHeight() {
    return TheMapState.mapData.header.height;
}

}  // namespace game
