#pragma once

#include <cstdint>

namespace game {

struct MapData;
struct MapEvent;

// The index of the first event with that number in the map's event list, or -1.
int FindMapEventIndex(const MapData& mapData, std::int32_t eventId);

bool SetMapEventId(MapEvent& event, std::int32_t id);

// Sizes the three tile layers to the header's width and height and empties every tile when
// clearAll is set, else only the tiles at or beyond the old width or height.
bool ResetMapLayers(MapData& mapData, bool clearAll, int oldWidth, int oldHeight);

}  // namespace game
