#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "game/core/data_file_buffer.h"
#include "game/core/event_record_io.h"
#include "game/core/exit_program.h"
#include "game/map/map_data.h"
#include "tests/game/core/game_folder_scope.h"
#include "tests/game/core/report_capture.h"
#include "tests/support/sjis.h"

namespace game {
namespace {

constexpr ScrambleSeeds kPlain{0, 0, 0};
constexpr ScrambleSeeds kScrambled{17, 0, 201};

MapEvent NamedEvent(std::int32_t id, const std::string& name) {
    MapEvent event(id);
    event.name = name;
    return event;
}

// A 2 x 1 map whose tiles are 10 * layer + x, with events stored as 5, 2, 9.
MapData SampleMap() {
    MapData map;
    map.header.name = test::Sjis(u8"村");
    map.header.tileSetNumber = 3;
    map.header.width = 2;
    map.header.height = 1;
    map.ClearMapData();
    for (int layer = 0; layer < 3; ++layer) {
        for (int x = 0; x < 2; ++x)
            map.tileLayers[layer][x][0] = 10 * layer + x;
    }
    map.events = {NamedEvent(5, "five"), NamedEvent(2, "two"), NamedEvent(9, "nine")};
    map.header.eventCount = 3;
    return map;
}

// A body written field by field, for shapes the writer never makes.
std::vector<std::uint8_t> RawMap(std::int32_t width, std::int32_t height, std::int32_t events,
                                 std::int32_t tileCount, std::uint8_t signature = 0x65) {
    DataFileBuffer cursor;
    const std::vector<std::uint8_t> header(20);
    cursor.WriteDataBytes(header.data(), header.size());
    cursor.WriteDataInt(100);
    cursor.WriteDataByte(signature);
    cursor.WriteDataString("m");
    cursor.WriteDataInt(0);
    cursor.WriteDataInt(width);
    cursor.WriteDataInt(height);
    cursor.WriteDataInt(events);
    for (int i = 0; i < tileCount; ++i)
        cursor.WriteDataInt(100000);
    cursor.WriteDataByte(0x66);
    return cursor.TakeData();
}

TEST(MapFile, RoundTripsPlainAndScrambledWithEventsSorted) {
    for (const ScrambleSeeds& seeds : {kPlain, kScrambled}) {
        SCOPED_TRACE(int{seeds[0]});
        MapData read;
        ASSERT_TRUE(read.ReadMapImage(SampleMap().BuildMapImage(seeds), "m.mps"));
        EXPECT_EQ(read.header.name, test::Sjis(u8"村"));
        EXPECT_EQ(read.header.tileSetNumber, 3);
        EXPECT_EQ(read.header.eventCount, 3);
        ASSERT_EQ(read.events.size(), 3u);
        EXPECT_EQ(read.events[0].eventId, 2);
        EXPECT_EQ(read.events[1].eventId, 5);
        EXPECT_EQ(read.events[2].eventId, 9);
        EXPECT_EQ(read.events[1].name, "five");
        EXPECT_EQ(read.tileLayers, SampleMap().tileLayers);
    }
}

TEST(MapFile, TilesStandLayerThenColumnThenRow) {
    const std::vector<std::uint8_t> file = SampleMap().BuildMapImage(kPlain);
    const std::size_t name_length = test::Sjis(u8"村").size() + 1;
    DataFileBuffer cursor(file);
    cursor.SkipDataBytes(45 + name_length);
    for (int expected : {0, 1, 10, 11, 20, 21})
        EXPECT_EQ(cursor.ReadDataInt(), expected);
}

TEST(MapFile, EqualEventNumbersKeepTheirFileOrder) {
    MapData map = SampleMap();
    map.events = {NamedEvent(4, "a"), NamedEvent(1, "b"), NamedEvent(4, "c")};
    MapData read;
    ASSERT_TRUE(read.ReadMapImage(map.BuildMapImage(kPlain), "m"));
    ASSERT_EQ(read.events.size(), 3u);
    EXPECT_EQ(read.events[0].name, "b");
    EXPECT_EQ(read.events[1].name, "a");
    EXPECT_EQ(read.events[2].name, "c");
}

TEST(MapFile, PlainFilesIgnoreTheirCheckBytesAndLaxFieldsAreAccepted) {
    std::vector<std::uint8_t> file = RawMap(1, 1, 0, 3);
    file[2] = 0x55;
    file[20] = 7;        // format number 7
    file.back() = 0x42;  // closing byte
    MapData read;
    EXPECT_TRUE(read.ReadMapImage(file, "m"));
    EXPECT_EQ(read.tileLayers[2][0][0], MapData::kEmptyTile);
}

TEST(MapFile, DamagedShapesShowTheDamagedBox) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> file;
    };
    std::vector<std::uint8_t> cut = SampleMap().BuildMapImage(kPlain);
    cut.resize(cut.size() - 10);
    std::vector<std::uint8_t> unclosed = RawMap(1, 1, 0, 3);
    unclosed.pop_back();
    const Case cases[] = {
        {"signature", RawMap(1, 1, 0, 3, 0x64)},
        {"width 0", RawMap(0, 5, 0, 0)},
        {"negative height", RawMap(2, -1, 0, 0)},
        {"tiles beyond the file", RawMap(1000, 1000, 0, 3)},
        {"tile count overflowing", RawMap(0x7FFFFFFF, 0x7FFFFFFF, 0, 3)},
        {"event count beyond the file", RawMap(1, 1, 1000000, 3)},
        {"negative event count", RawMap(1, 1, -1, 3)},
        {"no closing byte", unclosed},
        {"cut inside an event", cut},
        {"shorter than the header", std::vector<std::uint8_t>(12, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ReportCapture capture;
        MapData read;
        EXPECT_FALSE(read.ReadMapImage(c.file, "broken.mps"));
        ASSERT_EQ(ReportCapture::boxes().size(), 1u);
        EXPECT_NE(ReportCapture::boxes()[0].text.find("broken.mps"), std::string::npos);
        EXPECT_EQ(ReportCapture::boxes()[0].caption, test::Sjis(u8"マップ移動エラー"));
    }
}

TEST(MapFile, MissingFilesNameTheirPathOrTheUnsetName) {
    GameFolderScope folder;
    struct Case {
        std::string name;
        std::string text;
    } const cases[] = {
        {"", test::Sjis(u8"マップファイル名が設定されていないマップに移動しようとしました。")},
        {"Map\\none.mps", test::Sjis(u8"マップファイル Data\\Map\\none.mps がありません")},
    };
    for (const Case& c : cases) {
        ReportCapture capture;
        MapData read;
        EXPECT_FALSE(read.ReadMapFile(c.name));
        ASSERT_EQ(ReportCapture::boxes().size(), 1u);
        EXPECT_EQ(ReportCapture::boxes()[0].text, c.text);
        EXPECT_EQ(ReportCapture::boxes()[0].caption, test::Sjis(u8"読み込みエラー"));
    }
}

TEST(MapFile, WrittenFilesReadBackFromTheDataFolder) {
    GameFolderScope folder;
    const MapData map = SampleMap();
    std::filesystem::create_directories(folder.tree().path("Data/Map"));
    ASSERT_TRUE(map.WriteMapFile("Data\\Map\\m.mps"));
    const std::string bytes = folder.tree().read("Data/Map/m.mps");
    ASSERT_GT(bytes.size(), 20u);
    EXPECT_FALSE(bytes[0] == 0 && bytes[3] == 0 && bytes[9] == 0);
    EXPECT_EQ(bytes[6], 0);
    EXPECT_EQ(bytes[8], 0);
    MapData read;
    ASSERT_TRUE(read.ReadMapFile("Map\\m.mps"));
    EXPECT_EQ(read.events.size(), 3u);
    EXPECT_EQ(read.tileLayers, map.tileLayers);
}

TEST(MapFileDeathTest, ACorruptedScrambledBodyEndsTheProgram) {
    std::vector<std::uint8_t> file = SampleMap().BuildMapImage(kScrambled);
    file[50] ^= 0x10;
    EXPECT_EXIT(
        {
            MapData read;
            read.ReadMapImage(file, "m.mps");
        },
        testing::ExitedWithCode(1), "");
}

TEST(MapData, NewEventsTakeTheFirstFreeNumber) {
    struct Case {
        std::vector<std::int32_t> numbers;
        std::int32_t number;
        std::size_t place;
    } const cases[] = {{{0, 1, 3}, 2, 2}, {{0, 1, 2}, 3, 3}, {{}, 0, 0}, {{1, 2}, 0, 0}};
    for (const Case& c : cases) {
        std::vector<MapEvent> events;
        for (std::int32_t n : c.numbers)
            events.emplace_back(n);
        const FreeEventNumber free = FindFreeEventNumber(events);
        EXPECT_EQ(free.number, c.number);
        EXPECT_EQ(free.place, c.place);
    }
}

TEST(MapData, EventEditingKeepsTheCountAndTheOrder) {
    MapData map;
    map.events = {MapEvent(0), MapEvent(1), MapEvent(3)};
    map.header.eventCount = 3;
    EXPECT_EQ(map.AddMapEventAt(0, 0), 2);  // event 0 stands at (0, 0)
    EXPECT_EQ(map.AddMapEventAt(20, 1), 0);
    EXPECT_EQ(map.AddMapEventAt(4, 5), 1);
    EXPECT_EQ(map.events[2].eventId, 2);
    EXPECT_EQ(map.events[2].x, 4);
    EXPECT_EQ(map.DuplicateMapEvent(2, 7, 8), 4);
    EXPECT_EQ(map.events.back().y, 8);
    EXPECT_EQ(map.DuplicateMapEvent(40, 0, 0), 0);
    EXPECT_TRUE(map.RemoveMapEvent(1));
    EXPECT_FALSE(map.RemoveMapEvent(1));
    EXPECT_EQ(map.header.eventCount, 4);
    EXPECT_EQ(map.InsertMapEventCopy(MapEvent(77), 1, 1), 1);
    EXPECT_EQ(map.events[1].eventId, 1);
    EXPECT_EQ(map.header.eventCount, 5);
}

}  // namespace
}  // namespace game
