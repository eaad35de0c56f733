#include "game/core/event_record_io.h"

#include <algorithm>

#include "game/core/data_file_buffer.h"

namespace game {
namespace {

// The fewest bytes one stored command and one stored page can take: a count that promises
// more items than the rest of the file could hold is damage.
constexpr std::size_t kMinCommandBytes = 4;
constexpr std::size_t kMinPageBytes = 69;

constexpr std::uint8_t kEventOpenTag = 0x6F;
constexpr std::uint8_t kEventCloseTag = 0x70;
constexpr std::uint8_t kPageOpenTag = 0x79;
constexpr std::uint8_t kPageCloseTag = 0x7A;
constexpr std::int32_t kEventMagic = 12345;

bool Intact(const DataFileBuffer& cursor) {
    return !cursor.damaged();
}

// A grow-only byte list: a 32-bit count, then the bytes into the first entries.
bool ReadGrowOnlyBytes(DataFileBuffer& cursor, std::vector<std::uint8_t>& bytes) {
    const std::int32_t count = cursor.ReadDataCount(1);
    if (bytes.size() < static_cast<std::size_t>(count))
        bytes.resize(static_cast<std::size_t>(count));
    return cursor.ReadDataBytes(bytes.data(), static_cast<std::size_t>(count));
}

void WriteByteList(DataFileBuffer& cursor, const std::vector<std::uint8_t>& bytes) {
    cursor.WriteDataInt(static_cast<std::int32_t>(bytes.size()));
    cursor.WriteDataBytes(bytes.data(), bytes.size());
}

}  // namespace

bool ReadEventCommand(DataFileBuffer& cursor, EventCommand& command) {
    const std::int8_t int_count = cursor.ReadDataSignedByte();
    if (!cursor.CountFits(int_count, 4))
        return false;
    // A command stored without ints reads as code 0.
    command.args.assign(static_cast<std::size_t>(std::max<std::int8_t>(int_count, 1)), 0);
    for (std::int8_t i = 0; i < int_count; ++i)
        command.args[static_cast<std::size_t>(i)] = cursor.ReadDataInt();
    command.indent = cursor.ReadDataSignedByte();
    const std::int8_t string_count = cursor.ReadDataSignedByte();
    if (!cursor.CountFits(string_count, 4))
        return false;
    command.strings.assign(static_cast<std::size_t>(string_count), std::string());
    for (auto& text : command.strings)
        text = cursor.ReadDataString();
    const std::int8_t route_count = cursor.ReadDataSignedByte();
    command.route.clear();
    if (route_count >= 1) {
        command.route.emplace_back();
        ReadMoveRoute(cursor, command.route.front());
    }
    return Intact(cursor);
}

void WriteEventCommand(DataFileBuffer& cursor, const EventCommand& command) {
    cursor.WriteDataByte(static_cast<std::uint8_t>(command.args.size()));
    for (std::int32_t arg : command.args)
        cursor.WriteDataInt(arg);
    cursor.WriteDataByte(static_cast<std::uint8_t>(command.indent));
    cursor.WriteDataByte(static_cast<std::uint8_t>(command.strings.size()));
    for (const auto& text : command.strings)
        cursor.WriteDataString(text);
    cursor.WriteDataByte(static_cast<std::uint8_t>(command.route.size()));
    if (!command.route.empty())
        WriteMoveRoute(cursor, command.route.front());
}

bool ReadCommandList(DataFileBuffer& cursor, std::int32_t count,
                     std::vector<EventCommand>& commands) {
    commands.clear();
    if (!cursor.CountFits(count, kMinCommandBytes))
        return false;
    for (std::int32_t i = 0; i < count && Intact(cursor); ++i) {
        commands.emplace_back();
        ReadEventCommand(cursor, commands.back());
    }
    if (commands.empty())
        commands.emplace_back();
    commands.back().args[0] = EventCommand::kEndCode;
    return Intact(cursor);
}

bool ReadPageGraphic(DataFileBuffer& cursor, PageGraphic& graphic) {
    graphic.graphicNumber = cursor.ReadDataInt();
    graphic.graphicName = cursor.ReadDataString();
    graphic.direction = cursor.ReadDataByte();
    graphic.pattern = cursor.ReadDataByte();
    graphic.opacity = cursor.ReadDataByte();
    graphic.blendKind = cursor.ReadDataByte();
    return Intact(cursor);
}

void WritePageGraphic(DataFileBuffer& cursor, const PageGraphic& graphic) {
    cursor.WriteDataInt(graphic.graphicNumber);
    cursor.WriteDataString(graphic.graphicName);
    for (std::uint8_t value :
         {graphic.direction, graphic.pattern, graphic.opacity, graphic.blendKind})
        cursor.WriteDataByte(value);
}

bool ReadStartConditions(DataFileBuffer& cursor, PageStartConditions& conditions) {
    conditions.startKind = cursor.ReadDataByte();
    for (auto& value : conditions.operators)
        value = cursor.ReadDataByte();
    for (auto& value : conditions.variableIds)
        value = cursor.ReadDataInt();
    for (auto& value : conditions.references)
        value = cursor.ReadDataInt();
    return Intact(cursor);
}

void WriteStartConditions(DataFileBuffer& cursor, const PageStartConditions& conditions) {
    cursor.WriteDataByte(conditions.startKind);
    for (std::uint8_t value : conditions.operators)
        cursor.WriteDataByte(value);
    for (std::int32_t value : conditions.variableIds)
        cursor.WriteDataInt(value);
    for (std::int32_t value : conditions.references)
        cursor.WriteDataInt(value);
}

bool ReadEventPage(DataFileBuffer& cursor, EventPage& page) {
    cursor.SkipDataBytes(1);
    ReadPageGraphic(cursor, page.graphic);
    ReadStartConditions(cursor, page.conditions);
    ReadMoveRoute(cursor, page.movement);
    page.commandCount = cursor.ReadDataInt();
    ReadCommandList(cursor, page.commandCount, page.commands);
    ReadGrowOnlyBytes(cursor, page.options);
    cursor.SkipDataBytes(1);
    return Intact(cursor);
}

void WriteEventPage(DataFileBuffer& cursor, EventPage& page) {
    cursor.WriteDataByte(kPageOpenTag);
    WritePageGraphic(cursor, page.graphic);
    WriteStartConditions(cursor, page.conditions);
    WriteMoveRoute(cursor, page.movement);
    page.commandCount = static_cast<std::int32_t>(page.commands.size());
    cursor.WriteDataInt(page.commandCount);
    for (const auto& command : page.commands)
        WriteEventCommand(cursor, command);
    WriteByteList(cursor, page.options);
    cursor.WriteDataByte(kPageCloseTag);
}

bool ReadMapEventHeader(DataFileBuffer& cursor, MapEventHeader& header) {
    cursor.SkipDataBytes(4);
    header.eventId = cursor.ReadDataInt();
    header.name = cursor.ReadDataString();
    header.x = cursor.ReadDataInt();
    header.y = cursor.ReadDataInt();
    header.pageCount = cursor.ReadDataInt();
    ReadGrowOnlyBytes(cursor, header.extraBytes);
    return Intact(cursor);
}

void WriteMapEventHeader(DataFileBuffer& cursor, const MapEventHeader& header) {
    cursor.WriteDataInt(kEventMagic);
    cursor.WriteDataInt(header.eventId);
    cursor.WriteDataString(header.name);
    cursor.WriteDataInt(header.x);
    cursor.WriteDataInt(header.y);
    cursor.WriteDataInt(header.pageCount);
    WriteByteList(cursor, header.extraBytes);
}

bool ReadMapEvent(DataFileBuffer& cursor, MapEvent& event) {
    cursor.SkipDataBytes(1);
    ReadMapEventHeader(cursor, event);
    if (!cursor.CountFits(event.pageCount, kMinPageBytes))
        return false;
    for (std::int32_t i = 0; i < event.pageCount && Intact(cursor); ++i) {
        if (i > 0)
            event.pages.emplace_back();
        ReadEventPage(cursor, event.pages[static_cast<std::size_t>(i)]);
    }
    cursor.SkipDataBytes(1);
    return Intact(cursor);
}

void WriteMapEvent(DataFileBuffer& cursor, MapEvent& event) {
    cursor.WriteDataByte(kEventOpenTag);
    WriteMapEventHeader(cursor, event);
    const std::size_t pages =
        std::min(event.pages.size(), static_cast<std::size_t>(std::max(event.pageCount, 0)));
    for (std::size_t i = 0; i < pages; ++i)
        WriteEventPage(cursor, event.pages[i]);
    cursor.WriteDataByte(kEventCloseTag);
}

bool ReadMapHeader(DataFileBuffer& cursor, MapHeader& header) {
    header.name = cursor.ReadDataString();
    header.tileSetNumber = cursor.ReadDataInt();
    header.width = cursor.ReadDataInt();
    header.height = cursor.ReadDataInt();
    header.eventCount = cursor.ReadDataInt();
    return Intact(cursor);
}

}  // namespace game
