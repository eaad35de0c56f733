#include "game/map/tile_set.h"

#include <algorithm>
#include <utility>

#include "game/core/damaged_data_file.h"
#include "game/core/data_file_buffer.h"
#include "game/core/data_file_loading.h"
#include "game/core/data_file_scrambler.h"
#include "game/core/format_text.h"
#include "game/core/system_message_box.h"
#include "game/map/data_folder.h"
#include "game/map/tile_set_texts.h"

namespace game {
namespace {

constexpr std::uint8_t kVersion1 = 0xCF;
constexpr std::uint8_t kVersion2 = 0xD0;
constexpr std::uint8_t kRecordMark = 0xFF;
constexpr std::uint8_t kEndByte = 0xCF;
// Strings of a record are at most this long, terminator included.
constexpr std::int32_t kMaxStringBytes = 1024;
// Nine empty strings, the mark, two empty lists and the byte between them.
constexpr std::size_t kMinRecordBytes = 9 * 4 + 1 + 4 + 1 + 4;

// A message followed by the tile-set file's path on a line of its own.
std::string NamingTheFile(const char* text) {
    return text + std::string("\r\n") + kDataFolder + TileSetList::kFileName;
}

std::string ReadBoundedString(DataFileBuffer& cursor) {
    const std::int32_t length = cursor.ReadDataInt();
    if (length > kMaxStringBytes) {
        cursor.MarkDamaged();
        return {};
    }
    std::string text(static_cast<std::size_t>(std::max(length, 0)), '\0');
    if (length < 0 || !cursor.ReadDataBytes(text.data(), text.size())) {
        cursor.MarkDamaged();
        return {};
    }
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    return text;
}

void ReadRecord(DataFileBuffer& cursor, bool wideAttributes, TileSet& set) {
    set.name = ReadBoundedString(cursor);
    for (auto& name : set.imageNames)
        name = ReadBoundedString(cursor);
    if (cursor.ReadDataByte() != kRecordMark && !cursor.damaged())
        ShowSystemMessageBox(NamingTheFile(kRecordText), "");
    const std::int32_t tags = cursor.ReadDataCount(1);
    set.tags.assign(static_cast<std::size_t>(tags), 0);
    cursor.ReadDataBytes(set.tags.data(), set.tags.size());
    cursor.ReadDataByte();
    const std::int32_t attributes = cursor.ReadDataCount(wideAttributes ? 4 : 1);
    set.attributes.assign(static_cast<std::size_t>(attributes), 0);
    for (auto& attribute : set.attributes)
        attribute = wideAttributes ? cursor.ReadDataInt() : cursor.ReadDataByte();
}

}  // namespace

bool TileSetList::ReadTileSetFile(const std::string& name) {
    auto image = ReadWholeDataFile(kDataFolder + name);
    return image && ReadTileSetImage(std::move(*image));
}

bool TileSetList::ReadTileSetImage(std::vector<std::uint8_t> image) {
    const auto start = static_cast<std::size_t>(kDataFileFrame.headerLength);
    if (image.size() <= start)
        return false;
    const ScrambleSeeds seeds = ReadFrameSeeds(image, kDataFileFrame);
    CheckBytes checks = ReadFrameChecks(image, kDataFileFrame);
    DescrambleDataFile(image, start, image.size(), seeds, CheckMode::kNone, checks);

    DataFileBuffer cursor(std::move(image));
    cursor.SkipDataBytes(start);
    const std::uint8_t version = cursor.ReadDataByte();
    if (version != kVersion1 && version != kVersion2)
        return false;
    const std::int32_t count = cursor.ReadDataCount(kMinRecordBytes);
    if (!cursor.damaged())
        sets.resize(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count && !cursor.damaged(); ++i)
        ReadRecord(cursor, version == kVersion2, sets[static_cast<std::size_t>(i)]);
    if (cursor.ReadDataByte() != kEndByte || cursor.damaged()) {
        ShowSystemMessageBox(NamingTheFile(kEndText), kEndCaption, MessageBoxButtons::kOkCancel);
        return false;
    }
    if (HasSeeds(seeds) && !DescrambleDataFile(cursor.data(), start,
                                               static_cast<std::size_t>(cursor.GetDataPosition()),
                                               {}, CheckMode::kVerify, checks))
        StopOnDamagedDataFile(kDataFolder + kFileName);
    return true;
}

TileSet TileSetList::TileSetAt(std::int32_t number) const {
    if (number < 0 || static_cast<std::size_t>(number) >= sets.size()) {
        WriteConsoleLine(FormatText("tile set %d is not in the list of %zu in %s", number,
                                    sets.size(), (kDataFolder + kFileName).c_str()));
        return TileSet{};
    }
    return sets[static_cast<std::size_t>(number)];
}

}  // namespace game
