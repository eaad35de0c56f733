#include "game/core/game_info.h"

#include <algorithm>
#include <cstdlib>

#include "game/core/data_file_buffer.h"
#include "game/core/data_file_loading.h"
#include "game/core/data_file_scrambler.h"
#include "game/core/error_box.h"
#include "game/core/format_text.h"
#include "game/core/game_info_texts.h"
#include "game/core/system_message_box.h"

namespace game {
namespace {

constexpr std::int8_t kDefaultFlags[18] = {32, 8, 8, 1, 0, 1, 0, 3, 0, 0, 0, 6, 6, 0, 0, 4, 4, 0};
constexpr std::uint8_t kEndByte = 0xC2;

template <typename List>
void GrowTo(List& list, std::int32_t count) {
    if (count > 0 && list.size() < static_cast<std::size_t>(count))
        list.resize(static_cast<std::size_t>(count));
}

// A value nothing in the player reads; made as the game always made it.
std::uint16_t FirstValue16() {
    const int first = std::rand();
    const int second = std::rand();
    return static_cast<std::uint16_t>(first % 10 < 5 ? 15501 + second % 30000 : second % 15000);
}

std::vector<std::uint16_t> ReadOffsetTable(DataFileBuffer& cursor, std::int32_t offset,
                                           std::int32_t count) {
    std::vector<std::uint16_t> table;
    if (!cursor.SeekData(offset) || !cursor.CountFits(count, 2))
        return table;
    table.resize(static_cast<std::size_t>(count));
    for (auto& value : table)
        value = cursor.ReadDataShort();
    return table;
}

}  // namespace

GameInfo TheGameInfo;

GameInfo::GameInfo() {
    SetNewGameDefaults(*this);
}

void SetNewGameDefaults(GameInfo& gameInfo) {
    gameInfo.gameFlags.assign(std::begin(kDefaultFlags), std::end(kDefaultFlags));
    gameInfo.gameStrings.assign(8, std::string());
    gameInfo.gameStrings[0] = kDefaultTitle;
    gameInfo.gameStrings[1] = "0000-0000";
    gameInfo.gameValues16.assign(1, FirstValue16());
}

bool ParseGameInfo(GameInfo& gameInfo, std::span<const std::uint8_t> file) {
    std::vector<std::uint8_t> image(file.begin(), file.end());
    const DataFileFrame& frame = kGameDatFrame;
    const auto header_length = static_cast<std::size_t>(frame.headerLength);
    const ScrambleSeeds seeds = ReadFrameSeeds(image, frame);
    CheckBytes unchecked{};
    DescrambleDataFile(image, header_length, image.size(), seeds, CheckMode::kNone, unchecked);

    DataFileBuffer cursor(image);
    cursor.SkipDataBytes(header_length);
    const std::int32_t flag_count = cursor.ReadDataCount(1);
    GrowTo(gameInfo.gameFlags, flag_count);
    for (std::int32_t i = 0; i < flag_count; ++i)
        gameInfo.gameFlags[static_cast<std::size_t>(i)] = cursor.ReadDataSignedByte();

    const std::int32_t string_count = cursor.ReadDataCount(4);
    GrowTo(gameInfo.gameStrings, string_count);
    for (std::int32_t i = 0; i < string_count && !cursor.damaged(); ++i)
        gameInfo.gameStrings[static_cast<std::size_t>(i)] = cursor.ReadDataString();

    const std::int32_t end_offset = cursor.ReadDataInt();
    const std::int32_t key_length = cursor.ReadDataInt();
    const std::int32_t value_count = cursor.ReadDataCount(2);
    GrowTo(gameInfo.gameValues16, value_count);
    for (std::int32_t i = 0; i < value_count; ++i)
        gameInfo.gameValues16[static_cast<std::size_t>(i)] = cursor.ReadDataShort();
    const std::int32_t table_a = cursor.ReadDataInt();
    const std::int32_t table_b = cursor.ReadDataInt();

    bool intact = !cursor.damaged();
    if (intact) {
        const std::vector<std::uint16_t> a = ReadOffsetTable(cursor, table_a, key_length);
        const std::vector<std::uint16_t> b = ReadOffsetTable(cursor, table_b, key_length);
        intact = !cursor.damaged();
        std::string key;
        for (std::size_t i = 0; intact && i < a.size(); ++i) {
            // Positions are absolute in the whole file and wrap at 65536.
            const std::size_t position = static_cast<std::uint16_t>(a[i] + b[i]);
            if (position >= image.size())
                intact = false;
            else
                key.push_back(static_cast<char>(image[position]));
        }
        gameInfo.gameStrings[2] = intact ? key : std::string();
    }
    if (end_offset < 0 || static_cast<std::size_t>(end_offset) >= image.size() ||
        image[static_cast<std::size_t>(end_offset)] != kEndByte)
        intact = false;
    gameInfo.gameFlags[3] = 1;
    return intact;
}

bool LoadGameInfo(GameInfo& gameInfo, const std::string& path) {
    const auto image = ReadWholeDataFile(path);
    if (!image) {
        ShowSystemMessageBox(FormatText(kMissingFormat, path.c_str()), kLoadErrorCaption,
                             MessageBoxButtons::kOkCancel);
        return false;
    }
    if (!ParseGameInfo(gameInfo, *image))
        ShowErrorBox(kDamagedText, "", "");
    return true;
}

}  // namespace game
