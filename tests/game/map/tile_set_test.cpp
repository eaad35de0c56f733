#include "game/map/tile_set.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/game/core/game_folder_scope.h"
#include "tests/game/core/report_capture.h"
#include "tests/support/sjis.h"
#include "tools/lib/tile_set_writer.h"

namespace game {
namespace {

constexpr ScrambleSeeds kPlain{0, 0, 0};
constexpr ScrambleSeeds kScrambled{3, 99, 0};

std::vector<TileSet> SampleSets() {
    TileSet first = tools::MakeTileSet(2);
    first.name = test::Sjis(u8"草原");
    first.imageNames[0] = "MapChip\\base.png";
    first.imageNames[7] = "MapChip\\water.png";
    first.tags[9] = 5;
    first.attributes[9] = 0x90;
    first.attributes[8] = 0x10F;
    return {first, tools::MakeTileSet(0)};
}

TEST(TileSets, BothVersionsReadWithTheirAttributeWidths) {
    struct Case {
        std::uint8_t version;
        ScrambleSeeds seeds;
        std::int32_t wideAttribute;
    } const cases[] = {{0xCF, kPlain, 0x0F}, {0xD0, kPlain, 0x10F}, {0xD0, kScrambled, 0x10F}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int{c.version});
        TileSetList list;
        ASSERT_TRUE(
            list.ReadTileSetImage(tools::WriteTileSetData(SampleSets(), c.version, c.seeds)));
        ASSERT_EQ(list.sets.size(), 2u);
        const TileSet& set = list.sets[0];
        EXPECT_EQ(set.name, test::Sjis(u8"草原"));
        EXPECT_EQ(set.imageNames[7], "MapChip\\water.png");
        EXPECT_EQ(set.tags.size(), 10u);
        EXPECT_EQ(set.tags[9], 5);
        EXPECT_EQ(set.attributes[9], 0x90);  // a version 1 byte widens with zeros
        EXPECT_EQ(set.attributes[8], c.wideAttribute);
        EXPECT_EQ(list.sets[1].attributes.size(), 8u);
    }
}

TEST(TileSets, NoSetsGivesAnEmptyList) {
    TileSetList list;
    ASSERT_TRUE(list.ReadTileSetImage(tools::WriteTileSetData({}, 0xD0, kPlain)));
    EXPECT_TRUE(list.sets.empty());
}

TEST(TileSets, RefusedFilesAndTheirMessages) {
    const std::string end_text = test::Sjis(u8"タイルセットデータの読み込みに失敗しました") +
                                 "\r\nData\\BasicData\\TileSetData.dat";
    std::vector<std::uint8_t> ends_d0 = tools::WriteTileSetData(SampleSets(), 0xD0, kPlain);
    ends_d0.back() = 0xD0;
    std::vector<std::uint8_t> unknown_version = ends_d0;
    unknown_version[10] = 0xD1;
    std::vector<std::uint8_t> cut = tools::WriteTileSetData(SampleSets(), 0xD0, kPlain);
    cut.resize(40);
    std::vector<std::uint8_t> long_name =
        tools::WriteTileSetData({tools::MakeTileSet(0)}, 0xD0, kPlain);
    long_name[15] = 0x01;  // name length 1025
    long_name[16] = 0x04;
    struct Case {
        const char* what;
        std::vector<std::uint8_t> file;
        std::string box;
    } const cases[] = {
        {"version 2 closing with 0xD0", ends_d0, end_text},
        {"unknown version", unknown_version, ""},
        {"cut short", cut, end_text},
        {"string over 1024 bytes", long_name, end_text},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ReportCapture capture;
        TileSetList list;
        EXPECT_FALSE(list.ReadTileSetImage(c.file));
        if (c.box.empty()) {
            EXPECT_TRUE(ReportCapture::boxes().empty());
        } else {
            ASSERT_EQ(ReportCapture::boxes().size(), 1u);
            EXPECT_EQ(ReportCapture::boxes()[0].text, c.box);
        }
    }
}

TEST(TileSets, AMissingRecordMarkIsShownAndReadingGoesOn) {
    std::vector<std::uint8_t> file = tools::WriteTileSetData({tools::MakeTileSet(0)}, 0xD0, kPlain);
    file[15 + 9 * 5] = 0x00;  // the mark after nine one-byte strings
    ReportCapture capture;
    TileSetList list;
    EXPECT_TRUE(list.ReadTileSetImage(file));
    ASSERT_EQ(ReportCapture::boxes().size(), 1u);
    EXPECT_EQ(ReportCapture::boxes()[0].caption, "");
    EXPECT_EQ(ReportCapture::boxes()[0].text,
              test::Sjis(u8"タイルセットのロードに失敗しました、ファイル破損の可能性があります") +
                  "\r\nData\\BasicData\\TileSetData.dat");
}

TEST(TileSets, AMissingFileKeepsTheList) {
    GameFolderScope folder;
    TileSetList list;
    EXPECT_FALSE(list.ReadTileSetFile(TileSetList::kFileName));
    EXPECT_EQ(list.sets.size(), 1u);
    folder.Write("Data/BasicData/TileSetData.dat",
                 tools::WriteTileSetData(SampleSets(), 0xD0, kScrambled));
    EXPECT_TRUE(list.ReadTileSetFile(TileSetList::kFileName));
    EXPECT_EQ(list.sets.size(), 2u);
}

TEST(TileSets, NumbersOutsideTheListGiveADefaultSet) {
    TileSetList list;
    list.sets = SampleSets();
    EXPECT_EQ(list.TileSetAt(0).tags[9], 5);
    for (std::int32_t number : {-1, 2, 1000}) {
        testing::internal::CaptureStderr();
        const TileSet set = list.TileSetAt(number);
        EXPECT_NE(testing::internal::GetCapturedStderr().find(
                      "is not in the list of 2 in Data\\BasicData\\TileSetData.dat"),
                  std::string::npos);
        EXPECT_EQ(set.attributes.size(), 8u);
        EXPECT_TRUE(set.imageNames[0].empty());
    }
}

TEST(TileSetsDeathTest, ACorruptedScrambledFileEndsTheProgram) {
    std::vector<std::uint8_t> file = tools::WriteTileSetData(SampleSets(), 0xD0, kScrambled);
    file[30] ^= 0x01;
    EXPECT_EXIT(
        {
            TileSetList list;
            list.ReadTileSetImage(file);
        },
        testing::ExitedWithCode(1), "");
}

}  // namespace
}  // namespace game
