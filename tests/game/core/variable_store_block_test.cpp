#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/core/game_random.h"
#include "game/core/save_buffer.h"
#include "tests/game/core/fresh_game_state.h"

namespace game {
namespace {

class VariableStoreBlock : public ::testing::Test {
  protected:
    void SetUp() override {
        FreshGameState();
        CommonEvents.Resize(3);
        TheVariableStore.ResetVariableStore();
    }

    static VariableStore Sample() {
        VariableStore store;
        store.mapOverride = 2;
        store.StoreValueById(1000000 + 4 * 10 + 3, -8);
        store.StoreValueById(2000000 + 2, 123456789);
        store.StoreValueById(2300000 + 1, 5);
        store.StoreStringById(3000000 + 1, "\x95\x5C");  // "表"
        store.StoreValueById(15000000 + 2 * 100 + 99, 77);
        store.StoreStringById(15000000 + 1 * 100 + 9, "nine");
        return store;
    }

    static SaveBuffer Saved(const VariableStore& store) {
        SaveBuffer writer;
        store.SaveVariableStore(writer);
        return SaveBuffer(writer.block());
    }
};

TEST_F(VariableStoreBlock, RoundTripWithSeed) {
    const VariableStore store = Sample();
    GameRandomControl(static_cast<int>(RandomMode::kSet), 4242);
    SaveBuffer reader = Saved(store);
    GameRandomControl(static_cast<int>(RandomMode::kSet), 1);

    VariableStore loaded(VariableStore::Contents::kEmpty);
    ASSERT_TRUE(loaded.LoadVariableStore(reader, true));
    EXPECT_EQ(reader.position(), reader.end());
    EXPECT_EQ(GameRandomControl(static_cast<int>(RandomMode::kRead)), 4242u);
    EXPECT_EQ(loaded.selfVariables, store.selfVariables);
    EXPECT_EQ(loaded.variableSets, store.variableSets);
    EXPECT_EQ(loaded.stringVariables, store.stringVariables);
    EXPECT_EQ(loaded.commonNumbers, store.commonNumbers);
    EXPECT_EQ(loaded.commonStrings, store.commonStrings);
    EXPECT_EQ(loaded.mapOverride, -1);  // not part of the block
}

TEST_F(VariableStoreBlock, ReadingIntoTheCacheLeavesTheSeed) {
    SaveBuffer reader = Saved(Sample());
    GameRandomControl(static_cast<int>(RandomMode::kSet), 99);
    VariableStore loaded(VariableStore::Contents::kEmpty);
    ASSERT_TRUE(loaded.LoadVariableStore(reader, false));
    EXPECT_EQ(GameRandomControl(static_cast<int>(RandomMode::kRead)), 99u);
}

TEST_F(VariableStoreBlock, LongTextsAreCutAt32000Bytes) {
    for (std::size_t size : {32000u, 40000u}) {
        VariableStore store(VariableStore::Contents::kEmpty);
        store.stringVariables = {std::string(size, 'a')};
        SaveBuffer reader = Saved(store);
        reader.set_position(4 + 4 + 4);  // seed, no maps, no sets
        std::int32_t count = 0, length = 0;
        ASSERT_TRUE(reader.ReadInt(count));
        ASSERT_TRUE(reader.ReadInt(length));
        EXPECT_EQ(length, 32001);
        VariableStore loaded(VariableStore::Contents::kEmpty);
        reader.set_position(0);
        ASSERT_TRUE(loaded.LoadVariableStore(reader, false));
        EXPECT_EQ(loaded.stringVariables[0], std::string(32000, 'a'));
    }
}

TEST_F(VariableStoreBlock, FewerSavedCommonEventsArePaddedWithZeros) {
    VariableStore store = Sample();
    store.commonNumbers.resize(2);
    store.commonStrings.resize(1);
    CommonEvents.Resize(5);
    SaveBuffer reader = Saved(store);
    VariableStore loaded(VariableStore::Contents::kEmpty);
    ASSERT_TRUE(loaded.LoadVariableStore(reader, false));
    ASSERT_EQ(loaded.commonNumbers.size(), 5u);
    EXPECT_EQ(loaded.commonNumbers[1], store.commonNumbers[1]);
    for (std::size_t c = 2; c < 5; ++c)
        EXPECT_EQ(loaded.commonNumbers[c], std::deque<std::int32_t>(100));
    ASSERT_EQ(loaded.commonStrings.size(), 5u);
    EXPECT_EQ(loaded.commonStrings[4], std::vector<std::string>(5));
}

TEST_F(VariableStoreBlock, AShortBlockFailsWithTheFlag) {
    VariableStore store(VariableStore::Contents::kEmpty);
    store.stringVariables = {"one", "two", "three"};
    const std::vector<std::uint8_t> whole = Saved(store).block();
    // Cut inside the third text.
    std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + 12 + 4 + 8 + 8 + 6);
    SaveBuffer reader(cut);
    VariableStore loaded(VariableStore::Contents::kEmpty);
    EXPECT_FALSE(loaded.LoadVariableStore(reader, false));
    EXPECT_TRUE(reader.readPastEnd());
    EXPECT_EQ(loaded.stringVariables[1], "two");
}

TEST_F(VariableStoreBlock, NegativeCountsFailWithoutTheFlag) {
    SaveBuffer writer;
    writer.WriteInt(0);   // seed
    writer.WriteInt(-1);  // map count
    SaveBuffer reader(writer.block());
    VariableStore loaded(VariableStore::Contents::kEmpty);
    EXPECT_FALSE(loaded.LoadVariableStore(reader, false));
    EXPECT_FALSE(reader.readPastEnd());
}

TEST_F(VariableStoreBlock, HugeCountsAreShortBlocksBeforeAnyAllocation) {
    SaveBuffer writer;
    writer.WriteInt(0);
    writer.WriteInt(0);           // no maps
    writer.WriteInt(1);           // one set
    writer.WriteInt(0x7FFFFFFF);  // of two billion entries, with nothing behind
    SaveBuffer reader(writer.block());
    VariableStore loaded(VariableStore::Contents::kEmpty);
    EXPECT_FALSE(loaded.LoadVariableStore(reader, false));
    EXPECT_TRUE(reader.readPastEnd());
    EXPECT_TRUE(loaded.variableSets[0].empty());
}

TEST_F(VariableStoreBlock, TextsWithoutTheirNulKeepTheirBytes) {
    SaveBuffer writer;
    for (std::int32_t field : {0, 0, 0, 1, 2})  // seed, maps, sets, one text of 2 bytes
        writer.WriteInt(field);
    writer.WriteBytes("ab", 2);
    writer.WriteInt(0);
    writer.WriteInt(0);
    SaveBuffer reader(writer.block());
    VariableStore loaded(VariableStore::Contents::kEmpty);
    ASSERT_TRUE(loaded.LoadVariableStore(reader, false));
    EXPECT_EQ(loaded.stringVariables[0], "ab");
}

TEST_F(VariableStoreBlock, Version110ReadsSixteenBitLengths) {
    SaveBuffer writer;
    writer.set_version(110);
    for (std::int32_t field : {0, 0, 0, 2})
        writer.WriteInt(field);
    writer.WriteString("old");
    writer.WriteString("");
    writer.WriteInt(0);
    writer.WriteInt(0);
    SaveBuffer reader(writer.block());
    reader.set_version(110);
    VariableStore loaded(VariableStore::Contents::kEmpty);
    ASSERT_TRUE(loaded.LoadVariableStore(reader, false));
    EXPECT_EQ(loaded.stringVariables, (std::vector<std::string>{"old", ""}));
    EXPECT_EQ(reader.position(), reader.end());
}

TEST_F(VariableStoreBlock, ResetSizesFromCommonEventsAndTheSystemDataBase) {
    EXPECT_EQ(TheVariableStore.commonNumbers.size(), 3u);
    EXPECT_EQ(TheVariableStore.commonStrings[2], std::vector<std::string>(5));
    EXPECT_EQ(TheVariableStore.variableSets.size(), 10u);
    EXPECT_TRUE(TheVariableStore.variableSets[0].empty());  // fewer than 16 types

    SysDataBase.types.resize(24);
    SysDataBase.types[14].records.resize(200);
    SysDataBase.types[15].records.resize(50);
    SysDataBase.types[16].records.clear();
    TheVariableStore.ResetVariableStore();
    EXPECT_EQ(TheVariableStore.variableSets[0].size(), 200u);
    EXPECT_EQ(TheVariableStore.variableSets[1].size(), 50u);
    EXPECT_TRUE(TheVariableStore.variableSets[2].empty());
    EXPECT_EQ(TheVariableStore.variableSets[3].size(), 1u);
}

// The fuzz target's seed: a version byte, then the block of the sample store.
TEST_F(VariableStoreBlock, FuzzSeedIsTheWritersBlock) {
    GameRandomControl(static_cast<int>(RandomMode::kSet), 1234);
    std::vector<std::uint8_t> seed{0};
    const std::vector<std::uint8_t> block = Saved(Sample()).block();
    seed.insert(seed.end(), block.begin(), block.end());
    const std::filesystem::path file =
        std::filesystem::path(QVARN_SOURCE_DIR) / "tests/fuzz/seeds/variable_store_block/sample";
    if (std::getenv("QVARN_UPDATE_SEEDS") != nullptr)
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(seed.data()),
                   static_cast<std::streamsize>(seed.size()));
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> stored((std::istreambuf_iterator<char>(in)),
                                           std::istreambuf_iterator<char>());
    EXPECT_EQ(stored, seed);
}

}  // namespace
}  // namespace game
