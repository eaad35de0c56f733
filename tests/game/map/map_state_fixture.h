#pragma once

#include "game/map/map_event_lookup.h"
#include "game/map/map_state.h"

namespace game {

// A loaded map of width x height tiles, every tile on every layer `fill`, with attributes
// and tags for the base tiles below baseCells.
inline MapState MakeLoadedMap(int width, int height, std::int32_t fill, int baseCells = 8) {
    MapState mapState;
    mapState.mapNumber = 1;
    mapState.mapData.header.width = width;
    mapState.mapData.header.height = height;
    ResetMapLayers(mapState.mapData, true, width, height);
    for (auto& layer : mapState.mapData.tileLayers) {
        for (auto& column : layer) {
            for (auto& tile : column)
                tile = fill;
        }
    }
    mapState.attributes.assign(static_cast<std::size_t>(8 + baseCells), 0);
    mapState.tags.assign(static_cast<std::size_t>(8 + baseCells), 0);
    return mapState;
}

}  // namespace game
