#include <algorithm>
#include <ctime>
#include <utility>

#include "game/core/damaged_data_file.h"
#include "game/core/data_file_buffer.h"
#include "game/core/data_file_loading.h"
#include "game/core/event_record_io.h"
#include "game/core/format_text.h"
#include "game/core/system_message_box.h"
#include "game/map/data_folder.h"
#include "game/map/map_data.h"
#include "game/map/map_event_lookup.h"
#include "game/map/map_file_texts.h"
#include "game/map/map_size.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr std::int32_t kFormatNumber = 100;
constexpr std::uint8_t kOpeningByte = 0x65;
constexpr std::uint8_t kClosingByte = 0x66;
// An event record takes at least its opening and closing bytes.
constexpr std::size_t kMinEventBytes = 2;

// What a failed read leaves: the default header, no tiles and no events.
void EmptyMap(MapData& map) {
    map.eventFlags.fill(0);
    map.header = MapHeader();
    for (auto& layer : map.tileLayers)
        layer.clear();
    map.events.clear();
}

bool ReportDamagedMap(const std::string& name) {
    ShowSystemMessageBox(FormatText(kDamagedFormat, name.c_str()), kDamagedCaption);
    return false;
}

// Reads the three layers; a size the rest of the file cannot hold is damage, found before
// anything is allocated.
bool ReadTileLayers(DataFileBuffer& cursor, MapData& map) {
    if (!StoredMapSizeFits(map.header.width, map.header.height, cursor.remaining()))
        return false;
    ResetMapLayers(map, true, map.header.width, map.header.height);
    for (auto& layer : map.tileLayers) {
        for (auto& column : layer) {
            for (auto& tile : column)
                tile = cursor.ReadDataInt();
        }
    }
    return !cursor.damaged();
}

// Events go in by insertion: after every event whose number is not higher, so equal numbers
// keep their file order.
bool ReadEvents(DataFileBuffer& cursor, MapData& map) {
    const std::int32_t count = map.header.eventCount;
    if (!cursor.CountFits(count, kMinEventBytes))
        return false;
    for (std::int32_t i = 0; i < count; ++i) {
        MapEvent event(-1);
        if (!ReadMapEvent(cursor, event))
            return false;
        const auto place = std::upper_bound(
            map.events.begin(), map.events.end(), event.eventId,
            [](std::int32_t id, const MapEvent& other) { return id < other.eventId; });
        map.events.insert(place, std::move(event));
    }
    return true;
}

}  // namespace

bool WriteMapHeader(DataFileBuffer& cursor, const MapHeader& header) {
    cursor.WriteDataString(header.name);
    cursor.WriteDataInt(header.tileSetNumber);
    cursor.WriteDataInt(header.width);
    cursor.WriteDataInt(header.height);
    cursor.WriteDataInt(header.eventCount);
    return true;
}

bool MapData::ReadMapFile(const std::string& name) {
    const std::string path = kDataFolder + name;
    auto image = ReadWholeDataFile(path);
    if (!image) {
        EmptyMap(*this);
        if (name.empty())
            ShowSystemMessageBox(kUnnamedText, kMissingCaption, MessageBoxButtons::kOkCancel);
        else
            ShowSystemMessageBox(FormatText(kMissingFormat, path.c_str()), kMissingCaption,
                                 MessageBoxButtons::kOkCancel);
        return false;
    }
    return ReadMapImage(std::move(*image), name);
}

bool MapData::ReadMapImage(std::vector<std::uint8_t> image, const std::string& name) {
    EmptyMap(*this);
    fileName = name;
    const auto start = static_cast<std::size_t>(kMapFileFrame.headerLength);
    if (image.size() < start)
        return ReportDamagedMap(name);
    const ScrambleSeeds seeds = ReadFrameSeeds(image, kMapFileFrame);
    CheckBytes checks = ReadFrameChecks(image, kMapFileFrame);
    DescrambleDataFile(image, start, image.size(), seeds, CheckMode::kNone, checks);

    DataFileBuffer cursor(std::move(image));
    cursor.SkipDataBytes(start);
    cursor.ReadDataInt();
    if (cursor.ReadDataByte() != kOpeningByte || !ReadMapHeader(cursor, header) ||
        cursor.damaged() || !ReadTileLayers(cursor, *this) || !ReadEvents(cursor, *this))
        return ReportDamagedMap(name);
    cursor.ReadDataByte();
    if (cursor.damaged())
        return ReportDamagedMap(name);
    if (HasSeeds(seeds) && !DescrambleDataFile(cursor.data(), start,
                                               static_cast<std::size_t>(cursor.GetDataPosition()),
                                               {}, CheckMode::kVerify, checks))
        StopOnDamagedDataFile(name);
    return true;
}

std::vector<std::uint8_t> MapData::BuildMapImage(const ScrambleSeeds& seeds,
                                                 std::uint32_t generatorState) const {
    DataFileBuffer cursor;
    const std::vector<std::uint8_t> frame(static_cast<std::size_t>(kMapFileFrame.headerLength));
    cursor.WriteDataBytes(frame.data(), frame.size());
    cursor.WriteDataInt(kFormatNumber);
    cursor.WriteDataByte(kOpeningByte);
    MapHeader stored = header;
    stored.eventCount = static_cast<std::int32_t>(events.size());
    WriteMapHeader(cursor, stored);
    for (const auto& layer : tileLayers) {
        for (std::int32_t x = 0; x < header.width; ++x) {
            for (std::int32_t y = 0; y < header.height; ++y) {
                const bool present = static_cast<std::size_t>(x) < layer.size() &&
                                     static_cast<std::size_t>(y) < layer[x].size();
                cursor.WriteDataInt(present ? layer[x][y] : kEmptyTile);
            }
        }
    }
    for (const MapEvent& event : events) {
        MapEvent copy = event;
        WriteMapEvent(cursor, copy);
    }
    cursor.WriteDataByte(kClosingByte);
    std::vector<std::uint8_t> file = cursor.TakeData();
    SealDataFile(file, kMapFileFrame, ScrambleHeader{seeds, generatorState});
    return file;
}

bool MapData::WriteMapFile(const std::string& path) const {
    const ScrambleHeader scramble =
        ChooseScrambleHeader(static_cast<std::uint32_t>(std::time(nullptr)));
    const std::vector<std::uint8_t> file = BuildMapImage(scramble.seeds, scramble.generatorState);
    return layer::WriteWholeFile(path.c_str(), file.data(), static_cast<int>(file.size())) == 0;
}

}  // namespace game
