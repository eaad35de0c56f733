#include "game/map/map_state_save.h"

#include "game/core/save_buffer.h"
#include "game/map/map_change.h"
#include "game/map/map_event_lookup.h"
#include "game/map/map_size.h"
#include "game/map/map_state.h"

namespace game {
namespace {

constexpr std::uint16_t kFirstTileVersion = 105;
constexpr std::uint16_t kLastByteAttributeVersion = 99;

void WriteTiles(SaveBuffer& save, const MapData& map) {
    save.WriteInt(map.header.width);
    save.WriteInt(map.header.height);
    for (const auto& layer : map.tileLayers) {
        for (std::int32_t x = 0; x < map.header.width; ++x) {
            for (std::int32_t y = 0; y < map.header.height; ++y) {
                const bool present = static_cast<std::size_t>(x) < layer.size() &&
                                     static_cast<std::size_t>(y) < layer[x].size();
                save.WriteInt(present ? layer[x][y] : MapData::kEmptyTile);
            }
        }
    }
}

// The size is checked on each side and against what is left before the layers are made.
bool ReadTiles(SaveBuffer& save, MapData& map) {
    std::int32_t width = 0;
    std::int32_t height = 0;
    if (!save.ReadInt(width) || !save.ReadInt(height))
        return false;
    // A size no map can have, or tiles beyond the block, is damage: it marks the save as read
    // past its end.
    const std::size_t left = save.position() <= save.end() ? save.end() - save.position() : 0;
    if (!StoredMapSizeFits(width, height, left))
        return save.CountFits(-1, 1);
    map.header.width = width;
    map.header.height = height;
    ResetMapLayers(map, true, width, height);
    for (auto& layer : map.tileLayers) {
        for (auto& column : layer) {
            for (auto& tile : column) {
                if (!save.ReadInt(tile))
                    return false;
            }
        }
    }
    return true;
}

bool ReadAttributes(SaveBuffer& save, std::vector<std::int32_t>& attributes) {
    std::int32_t count = 0;
    const bool bytes = save.version() <= kLastByteAttributeVersion;
    if (!save.ReadInt(count) || !save.CountFits(count, bytes ? 1 : 4))
        return false;
    attributes.resize(static_cast<std::size_t>(count));
    for (auto& attribute : attributes) {
        if (bytes) {
            std::uint8_t low = 0;
            if (!save.ReadByte(low))
                return false;
            attribute = (attribute & ~0xFF) | low;
        } else if (!save.ReadInt(attribute)) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool WriteMapState(SaveBuffer& save, const MapState& mapState) {
    save.WriteInt(mapState.mapNumber);
    save.WriteInt(mapState.scrollX);
    save.WriteInt(mapState.scrollY);
    if (save.version() >= kFirstTileVersion)
        WriteTiles(save, mapState.mapData);
    save.WriteString(mapState.baseImageName);
    for (const auto& name : mapState.autotileImageNames)
        save.WriteString(name);
    save.WriteInt(static_cast<std::int32_t>(mapState.attributes.size()));
    for (std::int32_t attribute : mapState.attributes) {
        if (save.version() <= kLastByteAttributeVersion)
            save.WriteByte(static_cast<std::uint8_t>(attribute));
        else
            save.WriteInt(attribute);
    }
    save.WriteInt(static_cast<std::int32_t>(mapState.eventCharacters.size()));
    for (const EventCharacter& event : mapState.eventCharacters)
        WriteMapCharacter(save, event);
    save.WriteInt(static_cast<std::int32_t>(mapState.reservedList.size()));
    for (std::int32_t value : mapState.reservedList)
        save.WriteInt(value);
    return true;
}

bool ReadMapState(SaveBuffer& save, MapState& mapState, bool rebuild) {
    if (!save.ReadInt(mapState.mapNumber))
        return false;
    if (rebuild)
        ChangeMap(mapState, mapState.mapNumber);
    if (!save.ReadInt(mapState.scrollX) || !save.ReadInt(mapState.scrollY))
        return false;
    if (save.version() >= kFirstTileVersion && !ReadTiles(save, mapState.mapData))
        return false;
    if (!save.ReadString(mapState.baseImageName))
        return false;
    for (auto& name : mapState.autotileImageNames) {
        if (!save.ReadString(name))
            return false;
    }
    if (!ReadAttributes(save, mapState.attributes))
        return false;
    std::int32_t characters = 0;
    // Every character block takes more than one byte: a count beyond the block is damage.
    if (!save.ReadInt(characters) || !save.CountFits(characters, 1))
        return false;
    // Characters beyond those the state has are added as they are read, so a count that the
    // blocks do not back makes none.
    for (std::int32_t i = 0; i < characters; ++i) {
        if (mapState.eventCharacters.size() <= static_cast<std::size_t>(i))
            mapState.eventCharacters.emplace_back();
        if (!ReadMapCharacter(save, mapState.eventCharacters[static_cast<std::size_t>(i)]))
            return false;
    }
    std::int32_t reserved = 0;
    if (!save.ReadInt(reserved) || !save.CountFits(reserved, 4))
        return false;
    mapState.reservedList.assign(static_cast<std::size_t>(reserved), 0);
    for (auto& value : mapState.reservedList) {
        if (!save.ReadInt(value))
            return false;
    }
    return true;
}

}  // namespace game
