#include "game/core/common_event_files.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "game/core/common_event.h"
#include "game/core/common_event_files_texts.h"
#include "game/core/damaged_data_file.h"
#include "game/core/data_file_buffer.h"
#include "game/core/data_file_loading.h"
#include "game/core/data_file_scrambler.h"
#include "game/core/event_record_io.h"
#include "game/core/system_message_box.h"

namespace game {
namespace {

constexpr std::uint8_t kListTag = 0x8F;
constexpr std::int32_t kCommonFileMagic = 0x030C386C;
// The fewest bytes one stored record takes (the oldest layout with no commands or texts).
constexpr std::size_t kMinRecordBytes = 29;

// "コモンイベントファイルの読み込みに失敗しました。\r\n
//  データのバージョンが違う可能性があります、最新ツールでロードしてください。"

// The file whose records are being read, named under the version message; empty when the
// records come from elsewhere.
std::string readingFile;

// Names the file for the messages of one read.
class ReadingFile {
  public:
    explicit ReadingFile(const std::string& path) { readingFile = path; }
    ~ReadingFile() { readingFile.clear(); }
    ReadingFile(const ReadingFile&) = delete;
    ReadingFile& operator=(const ReadingFile&) = delete;
};

// A message followed by the file's path on a line of its own, when there is one.
std::string NamingTheFile(const char* text, const std::string& path) {
    return path.empty() ? std::string(text) : text + std::string("\r\n") + path;
}

// Reads a section tag and shows the version message when it is none of the accepted ones.
std::uint8_t ReadSectionTag(DataFileBuffer& cursor, std::initializer_list<std::uint8_t> accepted) {
    const std::uint8_t tag = cursor.ReadDataByte();
    if (!cursor.damaged() && std::find(accepted.begin(), accepted.end(), tag) == accepted.end())
        ShowSystemMessageBox(NamingTheFile(kVersionText, readingFile), kVersionCaption);
    return tag;
}

template <typename List>
std::int32_t GrowForCount(DataFileBuffer& cursor, List& list, std::size_t itemBytes) {
    const std::int32_t count = cursor.ReadDataCount(itemBytes);
    if (list.size() < static_cast<std::size_t>(count))
        list.resize(static_cast<std::size_t>(count));
    return count;
}

void ReadGrowOnlyTexts(DataFileBuffer& cursor, std::vector<std::string>& texts) {
    const std::int32_t count = GrowForCount(cursor, texts, 4);
    for (std::int32_t i = 0; i < count; ++i)
        texts[static_cast<std::size_t>(i)] = cursor.ReadDataString();
}

void ReadGrowOnlyNumbers(DataFileBuffer& cursor, std::vector<std::int32_t>& numbers) {
    const std::int32_t count = GrowForCount(cursor, numbers, 4);
    for (std::int32_t i = 0; i < count; ++i)
        numbers[static_cast<std::size_t>(i)] = cursor.ReadDataInt();
}

void ReadSecondSection(DataFileBuffer& cursor, CommonEvent& event) {
    ReadGrowOnlyTexts(cursor, event.texts);
    const std::int32_t kind_count = cursor.ReadDataCount(1);
    event.kinds.assign(static_cast<std::size_t>(kind_count), 0);
    cursor.ReadDataBytes(event.kinds.data(), event.kinds.size());
    const std::int32_t text_lists = GrowForCount(cursor, event.textLists, 4);
    for (std::int32_t i = 0; i < text_lists; ++i)
        ReadGrowOnlyTexts(cursor, event.textLists[static_cast<std::size_t>(i)]);
    const std::int32_t number_lists = GrowForCount(cursor, event.numberLists, 4);
    for (std::int32_t i = 0; i < number_lists; ++i)
        ReadGrowOnlyNumbers(cursor, event.numberLists[static_cast<std::size_t>(i)]);
    ReadGrowOnlyNumbers(cursor, event.numbers);
}

// Reads count records, numbered from first on, without touching the list: a damaged file
// leaves it as it was.
bool ReadRecords(DataFileBuffer& cursor, std::int32_t count, int first,
                 std::vector<CommonEvent>& records) {
    records.clear();
    for (std::int32_t i = 0; i < count; ++i) {
        records.emplace_back();
        if (!ReadCommonEvent(cursor, records.back()))
            return false;
        records.back().number = first + i;
    }
    return true;
}

void PlaceRecords(CommonEventList& list, int first, std::vector<CommonEvent>& records) {
    for (std::size_t i = 0; i < records.size(); ++i)
        list.events[static_cast<std::size_t>(first) + i] = std::move(records[i]);
}

}  // namespace

bool ReadCommonEvent(DataFileBuffer& cursor, CommonEvent& event) {
    cursor.SkipDataBytes(1);
    event.number = cursor.ReadDataInt();
    event.trigger = cursor.ReadDataByte();
    event.conditionVariable = cursor.ReadDataInt();
    event.conditionValue = cursor.ReadDataInt();
    event.extraByte1 = cursor.ReadDataByte();
    event.extraByte2 = cursor.ReadDataByte();
    event.name = cursor.ReadDataString();
    ReadCommandList(cursor, cursor.ReadDataInt(), event.commands);
    const std::int32_t byte_count = GrowForCount(cursor, event.byteList, 1);
    cursor.ReadDataBytes(event.byteList.data(), static_cast<std::size_t>(byte_count));
    if (byte_count >= 1)
        event.byteListText = cursor.ReadDataString();
    if (cursor.damaged())
        return false;

    if (ReadSectionTag(cursor, {0x8E, 0x8F, 0x90}) == 0x8E)
        return !cursor.damaged();
    ReadSecondSection(cursor, event);
    if (cursor.damaged() || ReadSectionTag(cursor, {0x8F, 0x90}) != 0x90)
        return !cursor.damaged();
    event.extraNumber = cursor.ReadDataInt();
    for (auto& name : event.selfVariableNames)
        name = cursor.ReadDataString();
    if (cursor.damaged() || ReadSectionTag(cursor, {0x90, 0x91}) != 0x91)
        return !cursor.damaged();
    cursor.ReadDataString();
    ReadSectionTag(cursor, {0x91});
    return !cursor.damaged();
}

CommonEventDataResult ParseCommonEventData(std::span<const std::uint8_t> file,
                                           CommonEventList& list) {
    const DataFileFrame& frame = kDataFileFrame;
    OpenedDataFile opened = OpenDataFile(file, frame);
    DataFileBuffer cursor(std::move(opened.image));
    cursor.SkipDataBytes(static_cast<std::size_t>(frame.headerLength));
    if (cursor.ReadDataByte() != kListTag)
        return cursor.damaged() ? CommonEventDataResult::kDamaged : CommonEventDataResult::kBadTag;
    const std::int32_t count = cursor.ReadDataCount(kMinRecordBytes);
    std::vector<CommonEvent> records;
    if (!ReadRecords(cursor, count, 0, records))
        return CommonEventDataResult::kDamaged;
    const bool closed = cursor.ReadDataByte() == kListTag;
    if (cursor.damaged())
        return CommonEventDataResult::kDamaged;
    if (closed && !DataFileBodyIntact(cursor.data(), frame, opened,
                                      static_cast<std::size_t>(cursor.GetDataPosition())))
        return CommonEventDataResult::kDamaged;
    list.Resize(static_cast<std::size_t>(count));
    PlaceRecords(list, 0, records);
    return closed ? CommonEventDataResult::kLoaded : CommonEventDataResult::kBadTag;
}

bool LoadCommonEventData(CommonEventList& list, const std::string& name) {
    const std::string path = "Data\\" + name;
    const auto image = ReadWholeDataFile(path);
    if (!image) {
        ShowSystemMessageBox(NamingTheFile(kMissingText, path), kMissingCaption);
        return false;
    }
    const ReadingFile reading(path);
    const CommonEventDataResult result = ParseCommonEventData(*image, list);
    if (result == CommonEventDataResult::kDamaged)
        StopOnDamagedDataFile(path);
    return result == CommonEventDataResult::kLoaded;
}

int ParseCommonEventFile(std::span<const std::uint8_t> file, CommonEventList& list, int first,
                         bool readRecords) {
    DataFileBuffer cursor(std::vector<std::uint8_t>(file.begin(), file.end()));
    if (cursor.ReadDataInt() != kCommonFileMagic || cursor.damaged() || first < 0)
        return -1;
    const std::int32_t count = cursor.ReadDataCount(kMinRecordBytes);
    std::vector<CommonEvent> records;
    if (cursor.damaged() || (readRecords && !ReadRecords(cursor, count, first, records)))
        return -1;
    const std::size_t end = static_cast<std::size_t>(first) + static_cast<std::size_t>(count);
    list.Resize(std::max(list.events.size(), end));
    PlaceRecords(list, first, records);
    return count;
}

int LoadCommonEventFile(CommonEventList& list, const std::string& path, int first,
                        bool readRecords) {
    const auto image = ReadWholeDataFile(path);
    const ReadingFile reading(path);
    return image ? ParseCommonEventFile(*image, list, first, readRecords) : -1;
}

}  // namespace game
