#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/core/event_records.h"

namespace game {

// One map: its header, three tile layers addressed layer, then x, then y, and its events.
struct MapData {
    static constexpr std::int32_t kEmptyTile = 100000;

    MapHeader header;
    std::array<std::vector<std::vector<std::int32_t>>, 3> tileLayers;
    std::vector<MapEvent> events;
};

}  // namespace game
