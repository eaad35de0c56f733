#include "game/map/map_event_lookup.h"

#include <algorithm>

#include "game/map/map_data.h"

namespace game {

int FindMapEventIndex(const MapData& mapData, std::int32_t eventId) {
    const auto found = std::find_if(mapData.events.begin(), mapData.events.end(),
                                    [eventId](const MapEvent& e) { return e.eventId == eventId; });
    return found == mapData.events.end() ? -1 : static_cast<int>(found - mapData.events.begin());
}

bool SetMapEventId(MapEvent& event, std::int32_t id) {
    event.eventId = id;
    return true;
}

bool ResetMapLayers(MapData& mapData, bool clearAll, int oldWidth, int oldHeight) {
    const auto width = static_cast<std::size_t>(std::max(mapData.header.width, 0));
    const auto height = static_cast<std::size_t>(std::max(mapData.header.height, 0));
    for (auto& layer : mapData.tileLayers) {
        layer.resize(width);
        for (std::size_t x = 0; x < width; ++x) {
            layer[x].resize(height, MapData::kEmptyTile);
            for (std::size_t y = 0; y < height; ++y) {
                if (clearAll || static_cast<int>(x) >= oldWidth || static_cast<int>(y) >= oldHeight)
                    layer[x][y] = MapData::kEmptyTile;
            }
        }
    }
    return true;
}

}  // namespace game
