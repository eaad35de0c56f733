#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/core/data_file_scrambler.h"
#include "game/core/event_records.h"

namespace game {

class DataFileBuffer;

// One map: its header, three tile layers addressed layer, then x, then y, and its events in
// ascending order of event number. The header's event count follows the event list.
struct MapData {
    static constexpr std::int32_t kEmptyTile = 100000;
    static constexpr std::size_t kEventFlagCount = 1024;

    // The default header with three layers of empty tiles and no events.
    MapData();

    // Replaces everything by the map file "Data\" + name. False after the failure was shown
    // in a message box; a check sum that does not match ends the program.
    bool ReadMapFile(const std::string& name);
    // The same from a file image already in memory; name is what the messages show.
    bool ReadMapImage(std::vector<std::uint8_t> image, const std::string& name);

    // Writes the map file at path (not below the data folder), scrambled with seeds drawn
    // from the clock; false when it cannot be written.
    bool WriteMapFile(const std::string& path) const;
    // The file image with the given seeds, its header filler drawn on from generatorState
    // (the scrambler's state after the seed draws); seeds (0, 0, 0) make a plain file.
    std::vector<std::uint8_t> BuildMapImage(const ScrambleSeeds& seeds,
                                            std::uint32_t generatorState = 0) const;

    // Zeroes the event flags and empties every tile; the header and the events stay.
    void ClearMapData();

    // 1 after adding a new event at (x, y) under the first free number; 2 when an event
    // stands there already; 0 when the square lies beyond the map.
    std::int32_t AddMapEventAt(std::int32_t x, std::int32_t y);
    bool RemoveMapEvent(std::int32_t eventId);
    // Copies an event under the first free number to (x, y): the new number, or 0 when no
    // event has that number.
    std::int32_t DuplicateMapEvent(std::int32_t eventId, std::int32_t x, std::int32_t y);
    std::int32_t InsertMapEventCopy(MapEvent event, std::int32_t x, std::int32_t y);

    std::array<std::uint8_t, kEventFlagCount> eventFlags{};
    MapHeader header;
    std::array<std::vector<std::vector<std::int32_t>>, 3> tileLayers;
    std::vector<MapEvent> events;
    // The name the map was read under (below "Data\"), for messages that name its file;
    // empty for a map built in memory.
    std::string fileName;
};

// The fields of a map header in file order: name with its terminator, tile-set number,
// width, height and event count.
bool WriteMapHeader(DataFileBuffer& cursor, const MapHeader& header);

// The number a new event gets: the first gap in the sorted numbers from 0 on, else one past
// the last; place is where it goes in the list.
struct FreeEventNumber {
    std::int32_t number;
    std::size_t place;
};
FreeEventNumber FindFreeEventNumber(const std::vector<MapEvent>& events);

}  // namespace game
