#include "game/map/map_state_save.h"

#include <gtest/gtest.h>

#include "game/core/save_buffer.h"
#include "tests/game/map/map_state_fixture.h"

namespace game {
namespace {

MapState SavedMap() {
    MapState mapState = MakeLoadedMap(3, 2, 7);
    mapState.mapNumber = 4;
    mapState.scrollX = -12;
    mapState.scrollY = 640;
    mapState.mapData.tileLayers[2][2][1] = 300123;
    mapState.baseImageName = "MapChip\\base.png";
    mapState.autotileImageNames[6] = "MapChip\\water.png";
    mapState.attributes = {0x100, 0x0F, 0x1234};
    return mapState;
}

// A block in an older layout: no tiles before version 105, byte attributes up to 99.
std::vector<std::uint8_t> OldBlock(std::uint16_t version, bool withTiles) {
    SaveBuffer save;
    save.set_version(version);
    save.WriteInt(4);
    save.WriteInt(8);
    save.WriteInt(16);
    if (withTiles) {
        save.WriteInt(1);
        save.WriteInt(1);
        for (int i = 0; i < 3; ++i)
            save.WriteInt(5);
    }
    for (int i = 0; i < 8; ++i)
        save.WriteString(i == 0 ? "base" : "");
    save.WriteInt(2);
    for (std::int32_t attribute : {0x90, 0x11}) {
        if (version <= 99)
            save.WriteByte(static_cast<std::uint8_t>(attribute));
        else
            save.WriteInt(attribute);
    }
    save.WriteInt(0);
    save.WriteInt(0);
    return save.block();
}

TEST(MapStateSave, TheNewestLayoutRoundTrips) {
    SaveBuffer save;
    ASSERT_TRUE(WriteMapState(save, SavedMap()));
    SaveBuffer load(save.block());
    MapState read;
    ASSERT_TRUE(ReadMapState(load, read, false));
    EXPECT_EQ(load.position(), load.end());
    EXPECT_EQ(read.mapNumber, 4);
    EXPECT_EQ(read.scrollX, -12);
    EXPECT_EQ(read.scrollY, 640);
    EXPECT_EQ(read.mapData.header.width, 3);
    EXPECT_EQ(read.mapData.tileLayers, SavedMap().mapData.tileLayers);
    EXPECT_EQ(read.baseImageName, "MapChip\\base.png");
    EXPECT_EQ(read.autotileImageNames[6], "MapChip\\water.png");
    EXPECT_EQ(read.attributes, SavedMap().attributes);
}

TEST(MapStateSave, OlderVersionsKeepTheMapTilesAndReadByteAttributes) {
    struct Case {
        std::uint16_t version;
        bool withTiles;
        std::int32_t firstAttribute;
        std::int32_t tile;
    } const cases[] = {{105, true, 0x90, 5}, {104, false, 0x90, 7}, {99, false, 0x1290, 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        MapState read = MakeLoadedMap(2, 2, 7);
        read.attributes = {0x1200, 0x1200, 0x1200};
        SaveBuffer load(OldBlock(c.version, c.withTiles));
        load.set_version(c.version);
        ASSERT_TRUE(ReadMapState(load, read, false));
        EXPECT_EQ(read.attributes.size(), 2u);
        EXPECT_EQ(read.attributes[0], c.firstAttribute);
        EXPECT_EQ(read.mapData.tileLayers[0][0][0], c.tile);
        EXPECT_EQ(read.baseImageName, "base");
    }
}

TEST(MapStateSave, ShortOrOversizedBlocksFailBeforeAllocating) {
    SaveBuffer whole;
    WriteMapState(whole, SavedMap());
    std::vector<std::uint8_t> short_block = whole.block();
    short_block.resize(short_block.size() - 3);

    // Map number, view, then a width and height that no map can have.
    auto sized = [](std::int32_t width, std::int32_t height) {
        SaveBuffer save;
        for (std::int32_t value : {4, 0, 0, width, height})
            save.WriteInt(value);
        return save.block();
    };
    SaveBuffer many_reserved;
    WriteMapState(many_reserved, SavedMap());
    std::vector<std::uint8_t> reserved = many_reserved.block();
    reserved[reserved.size() - 4] = 0xFF;  // r = 255 with nothing behind it

    for (const auto& block : {short_block, sized(0x7FFFFFFF, 0x7FFFFFFF), sized(0x7FFFFFFF, 0),
                              sized(0x01000000, 0), sized(0, 3), sized(0, 0), reserved}) {
        SaveBuffer load(block);
        MapState read;
        EXPECT_FALSE(ReadMapState(load, read, false));
        EXPECT_TRUE(load.readPastEnd());
    }
}

TEST(MapStateSave, ACharacterCountTheBlocksDoNotBackMakesNoCharacters) {
    SaveBuffer whole;
    WriteMapState(whole, SavedMap());
    std::vector<std::uint8_t> block = whole.block();
    block.resize(block.size() - 8);  // the counts m and r
    const std::int32_t characters = 100000;
    for (int i = 0; i < 4; ++i)
        block.push_back(static_cast<std::uint8_t>(characters >> (8 * i)));
    // Zero bytes: the first character's name length 0 is damage.
    block.resize(block.size() + characters, 0);
    SaveBuffer load(block);
    MapState read;
    EXPECT_FALSE(ReadMapState(load, read, false));
    EXPECT_LE(read.eventCharacters.size(), 1u);
}

TEST(MapStateSave, ReservedValuesAreReadAndEventCharactersWait) {
    MapState saved = SavedMap();
    saved.reservedList = {5, -6};
    SaveBuffer save;
    WriteMapState(save, saved);
    SaveBuffer load(save.block());
    MapState read;
    ASSERT_TRUE(ReadMapState(load, read, false));
    EXPECT_EQ(read.reservedList, (std::vector<std::int32_t>{5, -6}));

    std::vector<std::uint8_t> with_characters = save.block();
    ASSERT_GE(with_characters.size(), 16u);
    with_characters[with_characters.size() - 16] = 1;  // m = 1
    SaveBuffer refused(with_characters);
    EXPECT_FALSE(ReadMapState(refused, read, false));
}

}  // namespace
}  // namespace game
