#include "game/core/game_info.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/game/core/game_folder_scope.h"
#include "tests/game/core/report_capture.h"
#include "tools/lib/game_dat_writer.h"

namespace game {
namespace {

tools::GameDatContents Contents() {
    tools::GameDatContents contents;
    contents.flags = {16, 0, 4, 0, 30, 0, 1, 5, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 42};
    contents.strings = {"\x95\x5C title", "", "ignored", "font"};
    contents.values16 = {7, 65535};
    contents.key = "KeyBytes";
    return contents;
}

TEST(GameInfo, DefaultsOfANewGame) {
    const GameInfo info;
    EXPECT_EQ(info.gameFlags,
              (std::vector<std::int8_t>{32, 8, 8, 1, 0, 1, 0, 3, 0, 0, 0, 6, 6, 0, 0, 4, 4, 0}));
    ASSERT_EQ(info.gameStrings.size(), 8u);
    EXPECT_EQ(info.gameStrings[0], "\x90V\x8BK\x83Q\x81[\x83\x80\x96\xBC");  // "新規ゲーム名"
    EXPECT_EQ(info.gameStrings[1], "0000-0000");
    EXPECT_EQ(info.gameValues16.size(), 1u);
}

TEST(GameInfo, ReadsWhatTheWriterWroteWithEverySeeding) {
    for (const ScrambleSeeds seeds :
         {ScrambleSeeds{0, 0, 0}, ScrambleSeeds{0, 8, 6}, ScrambleSeeds{91, 17, 250}}) {
        GameInfo info;
        ASSERT_TRUE(ParseGameInfo(info, tools::WriteGameDat(Contents(), seeds)));
        EXPECT_EQ(info.gameFlags.size(), 19u);
        EXPECT_EQ(info.gameFlags[0], 16);
        EXPECT_EQ(info.gameFlags[3], 1);  // always forced on
        EXPECT_EQ(info.gameFlags[4], 30);
        EXPECT_EQ(info.gameFlags[18], 42);
        EXPECT_EQ(info.gameStrings[0], "\x95\x5C title");
        EXPECT_EQ(info.gameStrings[2], "KeyBytes");
        EXPECT_EQ(info.gameStrings[3], "font");
        EXPECT_EQ(info.gameStrings.size(), 8u);
        EXPECT_EQ(info.gameValues16, (std::vector<std::uint16_t>{7, 65535}));
    }
}

TEST(GameInfo, ShortListsKeepTheirDefaultsAndAnEmptyKeyIsEmpty) {
    tools::GameDatContents contents;
    contents.flags = {16, 1, 2, 0, 60};  // F = 5
    contents.key = "";                   // K = 0
    GameInfo info;
    ASSERT_TRUE(ParseGameInfo(info, tools::WriteGameDat(contents, {3, 0, 0})));
    EXPECT_EQ(info.gameFlags[4], 60);
    EXPECT_EQ(info.gameFlags[5], 1);
    EXPECT_EQ(info.gameFlags[15], 4);
    EXPECT_EQ(info.gameFlags.size(), 18u);
    EXPECT_EQ(info.gameStrings[2], "");
}

TEST(GameInfo, KeyOffsetsWrapAt65536) {
    tools::GameDatContents contents = Contents();
    contents.keyShift = 40000;
    GameInfo info;
    ASSERT_TRUE(ParseGameInfo(info, tools::WriteGameDat(contents, {1, 2, 3})));
    EXPECT_EQ(info.gameStrings[2], "KeyBytes");
}

TEST(GameInfo, DamagedFilesKeepWhatWasReadAndNeverReachOutside) {
    const std::vector<std::uint8_t> good = tools::WriteGameDat(Contents(), {0, 0, 0});
    // Every truncation: the end byte or a field is missing.
    for (std::size_t size = 0; size < good.size(); ++size) {
        GameInfo info;
        EXPECT_FALSE(ParseGameInfo(
            info, std::vector<std::uint8_t>(good.begin(), good.begin() + static_cast<long>(size))))
            << size;
        EXPECT_EQ(info.gameFlags[3], 1);
    }
    // A wrong end byte: everything else stays read.
    std::vector<std::uint8_t> wrong_end = good;
    ASSERT_FALSE(wrong_end.empty());
    wrong_end.back() = 0xC3;
    GameInfo info;
    EXPECT_FALSE(ParseGameInfo(info, wrong_end));
    EXPECT_EQ(info.gameStrings[2], "KeyBytes");
    // A key position outside the file.
    tools::GameDatContents contents = Contents();
    contents.keyShift = 30000;
    std::vector<std::uint8_t> outside = tools::WriteGameDat(contents, {0, 0, 0});
    const std::size_t table_b = outside.size() - 1 - contents.key.size() - 2 * contents.key.size();
    outside[table_b] = 0;
    outside[table_b + 1] = 0;
    GameInfo keyless;
    EXPECT_FALSE(ParseGameInfo(keyless, outside));
    EXPECT_EQ(keyless.gameStrings[2], "");
}

TEST(GameInfo, LoadingReportsAMissingOrDamagedFile) {
    GameFolderScope folder;
    ReportCapture capture;
    GameInfo info;
    EXPECT_FALSE(LoadGameInfo(info, "Game.dat"));
    ASSERT_EQ(capture.boxes().size(), 1u);
    EXPECT_EQ(capture.boxes()[0].buttons, MessageBoxButtons::kOkCancel);
    EXPECT_NE(capture.boxes()[0].text.find("Game.dat"), std::string::npos);

    std::vector<std::uint8_t> damaged = tools::WriteGameDat(Contents(), {4, 5, 6});
    damaged.back() ^= 0xFF;
    folder.Write("GAME.DAT", damaged);
    EXPECT_TRUE(LoadGameInfo(info, "Game.dat"));
    ASSERT_EQ(capture.errors().size(), 1u);
    // "基本情報データ Game.dat が破損しています"
    EXPECT_EQ(capture.errors()[0].line1,
              "\x8A\xEE\x96{\x8F\xEE\x95\xF1\x83"
              "f\x81[\x83^ Game.dat \x82\xAA\x94j\x91\xB9\x82\xB5\x82\xC4\x82\xA2\x82\xDC\x82\xB7");
    EXPECT_EQ(info.gameFlags[0], 16);
}

}  // namespace
}  // namespace game
