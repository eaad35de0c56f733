#include "game/map/map_data.h"

#include <utility>

#include "game/map/map_event_lookup.h"

namespace game {

MapData::MapData() {
    ClearMapData();
}

void MapData::ClearMapData() {
    eventFlags.fill(0);
    ResetMapLayers(*this, true, header.width, header.height);
}

FreeEventNumber FindFreeEventNumber(const std::vector<MapEvent>& events) {
    std::int32_t previous = -1;
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (events[i].eventId != previous + 1)
            return {previous + 1, i};
        previous = events[i].eventId;
    }
    return {previous + 1, events.size()};
}

std::int32_t MapData::AddMapEventAt(std::int32_t x, std::int32_t y) {
    for (const MapEvent& event : events) {
        if (event.x == x && event.y == y)
            return 2;
    }
    if (x >= header.width || y >= header.height)
        return 0;
    const FreeEventNumber free = FindFreeEventNumber(events);
    MapEvent event(free.number);
    event.x = x;
    event.y = y;
    events.insert(events.begin() + static_cast<std::ptrdiff_t>(free.place), std::move(event));
    ++header.eventCount;
    return 1;
}

bool MapData::RemoveMapEvent(std::int32_t eventId) {
    const int index = FindMapEventIndex(*this, eventId);
    if (index < 0)
        return false;
    events.erase(events.begin() + index);
    if (eventId >= 0 && static_cast<std::size_t>(eventId) < eventFlags.size())
        eventFlags[static_cast<std::size_t>(eventId)] = 0;
    --header.eventCount;
    return true;
}

std::int32_t MapData::DuplicateMapEvent(std::int32_t eventId, std::int32_t x, std::int32_t y) {
    const int index = FindMapEventIndex(*this, eventId);
    if (index < 0)
        return 0;
    return InsertMapEventCopy(events[static_cast<std::size_t>(index)], x, y);
}

std::int32_t MapData::InsertMapEventCopy(MapEvent event, std::int32_t x, std::int32_t y) {
    const FreeEventNumber free = FindFreeEventNumber(events);
    event.x = x;
    event.y = y;
    SetMapEventId(event, free.number);
    events.insert(events.begin() + static_cast<std::ptrdiff_t>(free.place), std::move(event));
    ++header.eventCount;
    return free.number;
}

}  // namespace game
