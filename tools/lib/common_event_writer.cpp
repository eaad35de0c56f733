#include "tools/lib/common_event_writer.h"

#include <algorithm>

#include "game/core/data_file_buffer.h"
#include "game/core/event_record_io.h"
#include "tools/lib/data_file_writer.h"

namespace tools {
namespace {

constexpr std::uint8_t kListTag = 0x8F;
constexpr std::int32_t kCommonFileMagic = 0x030C386C;

void WriteTexts(game::DataFileBuffer& cursor, const std::vector<std::string>& texts) {
    cursor.WriteDataInt(static_cast<std::int32_t>(texts.size()));
    for (const auto& text : texts)
        cursor.WriteDataString(text);
}

void WriteNumbers(game::DataFileBuffer& cursor, const std::vector<std::int32_t>& numbers) {
    cursor.WriteDataInt(static_cast<std::int32_t>(numbers.size()));
    for (std::int32_t number : numbers)
        cursor.WriteDataInt(number);
}

void WriteSecondSection(game::DataFileBuffer& cursor, const game::CommonEvent& event) {
    WriteTexts(cursor, event.texts);
    cursor.WriteDataInt(static_cast<std::int32_t>(event.kinds.size()));
    cursor.WriteDataBytes(event.kinds.data(), event.kinds.size());
    cursor.WriteDataInt(static_cast<std::int32_t>(event.textLists.size()));
    for (const auto& list : event.textLists)
        WriteTexts(cursor, list);
    cursor.WriteDataInt(static_cast<std::int32_t>(event.numberLists.size()));
    for (const auto& list : event.numberLists)
        WriteNumbers(cursor, list);
    WriteNumbers(cursor, event.numbers);
}

void WriteRecords(game::DataFileBuffer& cursor, const std::vector<game::CommonEvent>& events,
                  std::uint8_t layout) {
    cursor.WriteDataInt(static_cast<std::int32_t>(events.size()));
    for (const auto& event : events)
        WriteCommonEvent(cursor, event, layout);
}

}  // namespace

void WriteCommonEvent(game::DataFileBuffer& cursor, const game::CommonEvent& event,
                      std::uint8_t layout, const std::string& trailingText) {
    cursor.WriteDataByte(layout);
    cursor.WriteDataInt(event.number);
    cursor.WriteDataByte(event.trigger);
    cursor.WriteDataInt(event.conditionVariable);
    cursor.WriteDataInt(event.conditionValue);
    cursor.WriteDataByte(event.extraByte1);
    cursor.WriteDataByte(event.extraByte2);
    cursor.WriteDataString(event.name);
    cursor.WriteDataInt(static_cast<std::int32_t>(event.commands.size()));
    for (const auto& command : event.commands)
        game::WriteEventCommand(cursor, command);
    cursor.WriteDataInt(static_cast<std::int32_t>(event.byteList.size()));
    cursor.WriteDataBytes(event.byteList.data(), event.byteList.size());
    if (!event.byteList.empty())
        cursor.WriteDataString(event.byteListText);

    cursor.WriteDataByte(std::min(layout, CommonEventLayout::kNames));
    if (layout == CommonEventLayout::kOldest)
        return;
    WriteSecondSection(cursor, event);
    cursor.WriteDataByte(std::min(layout, CommonEventLayout::kNames));
    if (layout == CommonEventLayout::kTexts)
        return;
    cursor.WriteDataInt(event.extraNumber);
    for (std::size_t i = 0; i < game::CommonEvent::kSelfVariableCount; ++i)
        cursor.WriteDataString(i < event.selfVariableNames.size() ? event.selfVariableNames[i]
                                                                  : std::string());
    cursor.WriteDataByte(layout);
    if (layout == CommonEventLayout::kNames)
        return;
    cursor.WriteDataString(trailingText);
    cursor.WriteDataByte(CommonEventLayout::kTrailingText);
}

std::vector<std::uint8_t> WriteCommonEventData(const std::vector<game::CommonEvent>& events,
                                               std::uint8_t layout,
                                               const game::ScrambleSeeds& seeds) {
    const game::DataFileFrame& frame = game::kDataFileFrame;
    game::DataFileBuffer cursor = StartDataFile(frame);
    cursor.WriteDataByte(kListTag);
    WriteRecords(cursor, events, layout);
    cursor.WriteDataByte(kListTag);
    return FinishDataFile(cursor, frame, seeds);
}

std::vector<std::uint8_t> WriteCommonEventFile(const std::vector<game::CommonEvent>& events,
                                               std::uint8_t layout) {
    game::DataFileBuffer cursor;
    cursor.WriteDataInt(kCommonFileMagic);
    WriteRecords(cursor, events, layout);
    return cursor.TakeData();
}

}  // namespace tools
