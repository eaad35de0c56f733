#include "game/core/event_record_io.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/core/data_file_buffer.h"
#include "game/core/save_buffer.h"
#include "game/map/map_data.h"
#include "game/map/map_event_lookup.h"
#include "tools/lib/command_list_builder.h"

namespace game {
namespace {

MoveRoute SampleRoute() {
    MoveRoute route;
    route.moveKind = 1;
    route.animationSpeed = 4;
    route.moveSpeed = 5;
    route.moveFrequency = 6;
    route.characterOptions = 0x21;
    route.routeOptions = 3;
    route.steps.push_back({7, {1, -2}, "step"});
    route.steps.push_back({200, {}, std::string(254, 'z')});
    return route;
}

MapEvent SampleEvent() {
    MapEvent event(4);
    event.name = "\x95\x5C";  // "表"
    event.x = 3;
    event.y = 9;
    event.pageCount = 2;
    event.extraBytes = {1, 2};
    event.pages[0].graphic.graphicName = "hero.png";
    event.pages[0].conditions.variableIds[1] = 2000005;
    event.pages[0].movement = SampleRoute();
    event.pages[0].commands = tools::CommandListBuilder()
                                  .Add(101, {1, 2}, {"text", ""}, 1)
                                  .AddRoute(201, {-1}, SampleRoute())
                                  .Build();
    event.pages.emplace_back();
    event.pages[1].options = {5, 6, 7, 8};
    event.pages[1].commands = tools::CommandListBuilder().Build();
    return event;
}

std::vector<std::uint8_t> Written(MapEvent event) {
    DataFileBuffer cursor;
    WriteMapEvent(cursor, event);
    return cursor.TakeData();
}

TEST(EventRecords, AMapEventRewritesByteExact) {
    const std::vector<std::uint8_t> bytes = Written(SampleEvent());
    DataFileBuffer reader(bytes);
    MapEvent read(0);
    ASSERT_TRUE(ReadMapEvent(reader, read));
    EXPECT_EQ(reader.remaining(), 0u);
    EXPECT_EQ(read.name, "\x95\x5C");
    ASSERT_EQ(read.pages.size(), 2u);
    EXPECT_EQ(read.pages[0].commands[1].route.at(0).steps[1].text, std::string(254, 'z'));
    EXPECT_EQ(Written(read), bytes);
}

TEST(EventRecords, CopiesAreDeepExceptForPreparedPointers) {
    std::int32_t cell = 5;
    EventCommand command;
    command.strings = {"a"};
    command.preparedPointers = {&cell};
    EventCommand copy = command;
    copy.strings[0] = "b";
    EXPECT_EQ(command.strings[0], "a");
    EXPECT_EQ(copy.preparedPointers[0], &cell);
}

TEST(EventRecords, TheLastCommandOfAListBecomesTheEndCommand) {
    struct Case {
        std::vector<std::int32_t> codes;
        std::vector<std::int32_t> expected;
    };
    const Case cases[] = {{{101, 102, 0}, {101, 102, -1}}, {{}, {-1}}, {{7}, {-1}}};
    for (const Case& c : cases) {
        DataFileBuffer cursor;
        for (std::int32_t code : c.codes) {
            EventCommand command;
            command.args = {code};
            WriteEventCommand(cursor, command);
        }
        DataFileBuffer reader(cursor.TakeData());
        std::vector<EventCommand> list;
        ASSERT_TRUE(ReadCommandList(reader, static_cast<std::int32_t>(c.codes.size()), list));
        std::vector<std::int32_t> codes;
        for (const auto& command : list)
            codes.push_back(command.args[0]);
        EXPECT_EQ(codes, c.expected);
    }
}

TEST(EventRecords, CommandCountsAndRoutes) {
    // A command stored with no ints reads as code 0; a route count of 2 reads one route.
    DataFileBuffer cursor;
    cursor.WriteDataByte(0);
    cursor.WriteDataByte(0);
    cursor.WriteDataByte(0);
    cursor.WriteDataByte(2);
    WriteMoveRoute(cursor, SampleRoute());
    cursor.WriteDataByte(0x55);
    DataFileBuffer reader(cursor.TakeData());
    EventCommand command;
    ASSERT_TRUE(ReadEventCommand(reader, command));
    EXPECT_EQ(command.args, std::vector<std::int32_t>{0});
    ASSERT_EQ(command.route.size(), 1u);
    EXPECT_EQ(command.route[0].steps.size(), 2u);
    EXPECT_EQ(reader.ReadDataByte(), 0x55);
}

TEST(EventRecords, PageOptionsAreGrowOnly) {
    struct Case {
        std::vector<std::uint8_t> stored;
        std::vector<std::uint8_t> read;
    };
    const Case cases[] = {{{5, 6}, {5, 6, 0}}, {{5, 6, 7, 8}, {5, 6, 7, 8}}, {{}, {0, 0, 0}}};
    for (const Case& c : cases) {
        EventPage page;
        page.options = c.stored;
        DataFileBuffer cursor;
        WriteEventPage(cursor, page);
        DataFileBuffer reader(cursor.TakeData());
        EventPage read;
        ASSERT_TRUE(ReadEventPage(reader, read));
        EXPECT_EQ(read.options, c.read);
    }
}

TEST(EventRecords, PageCountsOfAMapEvent) {
    for (std::int32_t pages : {0, 1, 3}) {
        MapEvent event(1);
        event.pages = std::vector<EventPage>(static_cast<std::size_t>(std::max(pages, 1)));
        for (std::size_t i = 0; i < event.pages.size(); ++i)
            event.pages[i].graphic.graphicNumber = static_cast<std::int32_t>(i) + 10;
        event.pageCount = pages;
        DataFileBuffer reader(Written(event));
        MapEvent read(0);
        ASSERT_TRUE(ReadMapEvent(reader, read));
        EXPECT_EQ(read.pages.size(), static_cast<std::size_t>(std::max(pages, 1)));
        EXPECT_EQ(read.pages[0].graphic.graphicNumber, pages == 0 ? -1 : 10);
    }
}

TEST(EventRecords, ARouteOfMoreThan65536StepsIsDamage) {
    DataFileBuffer cursor;
    for (int i = 0; i < 6; ++i)
        cursor.WriteDataByte(1);
    cursor.WriteDataInt(MoveRoute::kMaxSteps + 1);
    DataFileBuffer reader(cursor.TakeData());
    MoveRoute route;
    EXPECT_FALSE(ReadMoveRoute(reader, route));
    EXPECT_TRUE(reader.damaged());
}

TEST(EventRecords, EveryTruncationOfAMapEventIsRefusedWithoutACrash) {
    const std::vector<std::uint8_t> bytes = Written(SampleEvent());
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        DataFileBuffer reader(
            std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(size)));
        MapEvent read(0);
        EXPECT_FALSE(ReadMapEvent(reader, read)) << size;
    }
}

TEST(EventRecords, NegativeCountsAreDamage) {
    struct Case {
        const char* name;
        int offset;  // of the count in a written command list of one command
        std::uint8_t value;
    };
    // Command: int count byte at 0, the code, indent at 5, string count at 6, route count at 7.
    const Case cases[] = {{"ints", 0, 0x80}, {"strings", 6, 0xFF}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DataFileBuffer cursor;
        WriteEventCommand(cursor, EventCommand{});
        std::vector<std::uint8_t> bytes = cursor.TakeData();
        bytes[static_cast<std::size_t>(c.offset)] = c.value;
        DataFileBuffer reader(bytes);
        EventCommand command;
        EXPECT_FALSE(ReadEventCommand(reader, command));
    }
}

TEST(EventRecords, RoutesThroughTheSaveCursor) {
    SaveBuffer writer;
    WriteMoveRoute(writer, SampleRoute());
    const std::vector<std::uint8_t> block = writer.block();
    SaveBuffer reader(block);
    MoveRoute read;
    ASSERT_TRUE(ReadMoveRoute(reader, read));
    EXPECT_EQ(read.steps.size(), 2u);
    EXPECT_EQ(read.characterOptions, 0x21);

    SaveBuffer truncated(std::vector<std::uint8_t>(block.begin(), block.end() - 1));
    EXPECT_FALSE(ReadMoveRoute(truncated, read));
    EXPECT_TRUE(truncated.readPastEnd());
}

TEST(EventRecords, InsertCommandClampsToTheStoredCount) {
    EventPage page;
    page.commands = tools::CommandListBuilder().Add(1).Add(2).Build();
    page.commandCount = 2;
    page.InsertCommand(99);
    ASSERT_EQ(page.commands.size(), 4u);
    EXPECT_EQ(page.commands[2].args[0], 0);
    EXPECT_EQ(page.commands[3].args[0], -1);
}

TEST(MapEventLookup, FindsTheFirstEventWithTheNumber) {
    MapData map;
    EXPECT_EQ(FindMapEventIndex(map, 3), -1);
    map.events = {MapEvent(1), MapEvent(3), MapEvent(3)};
    map.events[2].x = 7;
    EXPECT_EQ(FindMapEventIndex(map, 3), 1);
    EXPECT_TRUE(SetMapEventId(map.events[0], 3));
    EXPECT_EQ(FindMapEventIndex(map, 3), 0);
}

TEST(MapEventLookup, ResetMapLayersKeepsOldTilesWhenGrowing) {
    MapData map;
    map.header.width = 10;
    map.header.height = 8;
    ResetMapLayers(map, true, 0, 0);
    map.tileLayers[1][9][7] = 5;
    map.header.width = 12;
    map.header.height = 9;
    ResetMapLayers(map, false, 10, 8);
    EXPECT_EQ(map.tileLayers[1][9][7], 5);
    EXPECT_EQ(map.tileLayers[1][11][8], MapData::kEmptyTile);
    EXPECT_EQ(map.tileLayers[1][9][8], MapData::kEmptyTile);
    EXPECT_EQ(map.tileLayers[2].size(), 12u);
    ResetMapLayers(map, true, 12, 9);
    EXPECT_EQ(map.tileLayers[1][9][7], MapData::kEmptyTile);
}

TEST(MapHeader, ReadsItsFieldsInFileOrder) {
    DataFileBuffer cursor;
    cursor.WriteDataString("town");
    for (std::int32_t value : {2, 30, 25, 4})
        cursor.WriteDataInt(value);
    DataFileBuffer reader(cursor.TakeData());
    MapHeader header;
    EXPECT_EQ(header.name, "\x82\xC8\x82\xB5");  // "なし"
    ASSERT_TRUE(ReadMapHeader(reader, header));
    EXPECT_EQ(header.name, "town");
    EXPECT_EQ(header.tileSetNumber, 2);
    EXPECT_EQ(header.width, 30);
    EXPECT_EQ(header.height, 25);
    EXPECT_EQ(header.eventCount, 4);
}

}  // namespace
}  // namespace game
