#include "game/map/map_state.h"

#include "game/map/map_event_lookup.h"

namespace game {

MapState TheMapState;

void RefreshEventPages(MapState& mapState) {
    if (mapState.mapNumber >= 0) {
        for (EventCharacter& event : mapState.eventCharacters)
            SelectActivePage(event);
        for (ParallelCommonEvent& event : mapState.parallelCommonEvents)
            event.CheckParallelTrigger();
    }
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

int GetTileSetCount() {
    return static_cast<int>(TheMapState.tileSetList.sets.size());
}

}  // namespace game
