#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <numeric>

#include "game/core/data_file_scrambler.h"
#include "game/core/format_text.h"
#include "game/core/screen_state.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/map_size.h"
#include "game/map/party.h"
#include "game/presentation/picture_list.h"
#include "game/save/save_file.h"
#include "game/save/save_frame.h"
#include "platform/file_hooks.h"
#include "tests/game/save/save_fixture.h"
#include "tools/lib/save_file_writer.h"

namespace game {
namespace {

class SaveFileTest : public SaveTest {
  protected:
    void SetUp() override {
        SaveTest::SetUp();
        V(3) = 42;
        TheVariableStore.stringVariables[2] = test::Sjis(u8"表示");
        TheMainInterpreter.PlaySeconds = 77;
        TheMainInterpreter.ToneCurrent = {-20, 0, 30};
        TheMainInterpreter.TransitionGraphic = 4;
        TheMainInterpreter.MessageExtraTextA = test::Sjis(u8"表");
        TheParty.x = 14;
        TheParty.y = 6;
        Picture text(5);
        text.IsStringPicture = 1;
        text.Text.SourceText = test::Sjis(u8"表の絵");
        text.Remaining = 12;
        text.Duration = 30;
        Picture image(9);
        image.ImageName = "Picture\\sun.png";
        image.IsWindowPicture = 1;
        image.SplitX = 200;
        image.SplitY = 80;
        image.EffectZoom = 150;
        image.FollowsMap = 1;
        ThePictureList.Pictures = {text, image};
        ThePictureList.RebuildPictureHints();
    }
    void TearDown() override {
        platform::FailNextWrites(0);
        platform::FailNextFlushes(0);
        platform::FailNextRenames(0);
        platform::SetFreeBytesForTests(-1);
        SaveTest::TearDown();
    }

    std::vector<std::uint8_t> SlotBytes(int slot) const {
        const std::string text = ReadFile(FormatText("Save/SaveData%.2i.sav", slot));
        return {text.begin(), text.end()};
    }
    void PutSlotBytes(int slot, const std::vector<std::uint8_t>& bytes) {
        folder.Write(FormatText("Save/SaveData%.2i.sav", slot), bytes);
        TheSaveCache = SaveCache();
    }
    std::vector<std::string> SaveFolderNames() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.tree().path("Save")))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(SaveFileTest, WritesNamedFilesThatReadBackPartByPart) {
    ASSERT_TRUE(WriteSaveFile(3, true, kDefaultSavePrefix));
    ASSERT_TRUE(WriteSaveFile(12, true, kDefaultSavePrefix));
    ASSERT_TRUE(WriteSaveFile(0, true, "Save\\Mine.dat"));
    EXPECT_EQ(SaveFolderNames(),
              (std::vector<std::string>{"Mine.dat", "SaveData03.sav", "SaveData12.sav"}));
    EXPECT_EQ(TheMainInterpreter.LastSaveSlot, 0);

    TheSaveCache = SaveCache();
    ASSERT_TRUE(ReadSaveFile(3, false, false, kDefaultSavePrefix));
    SaveState& read = TheSaveCache.States.at(SlotPath(3));
    EXPECT_EQ(read.variableStore.link, &read.mainInterpreter);
    EXPECT_EQ(read.variableStore.variableSets[0][3], 42);
    EXPECT_EQ(read.variableStore.stringVariables[2], test::Sjis(u8"表示"));
    EXPECT_EQ(read.mainInterpreter.PlaySeconds, 77);
    EXPECT_EQ(read.mainInterpreter.ToneCurrent, TheMainInterpreter.ToneCurrent);
    EXPECT_EQ(read.mainInterpreter.TransitionGraphic, 4);
    EXPECT_EQ(read.mainInterpreter.MessageExtraTextA, test::Sjis(u8"表"));
    EXPECT_EQ(read.mainInterpreter.SaveDataFlag, 1);
    EXPECT_EQ(read.party.x, 14);
    EXPECT_EQ(read.party.y, 6);
    ASSERT_EQ(read.pictureList.Pictures.size(), 2u);
    const Picture& text = read.pictureList.Pictures[0];
    EXPECT_EQ(text.Number, 5);
    EXPECT_EQ(text.Text.SourceText, test::Sjis(u8"表の絵"));
    EXPECT_EQ(text.Remaining, 12);
    EXPECT_EQ(text.StartX, 0) << "start values are not saved";
    const Picture& image = read.pictureList.Pictures[1];
    EXPECT_EQ(image.ImageName, "Picture\\sun.png");
    EXPECT_EQ(image.SplitX, 200);
    EXPECT_EQ(image.EffectZoom, 150);
    EXPECT_EQ(image.FollowsMap, 1);
    EXPECT_EQ(image.Hidden, 1) << "a read into the cache loads no image";
    EXPECT_EQ(read.pictureList.Count, 2);
    EXPECT_EQ(read.changeableDataBase.types[0].records[0].numbers,
              (std::vector<std::int32_t>{7, 8}));
    EXPECT_EQ(read.changeableDataBase.types[0].records[0].strings[0], test::Sjis(u8"表"));
    EXPECT_EQ(read.changeableDataBase.types[0].layoutCode, -2);
    EXPECT_EQ(read.changeableDataBase.typeDescs.size(), 2u);
}

TEST_F(SaveFileTest, HeaderHoldsSeedsZeroChecksAndTheSumOfThePlainBody) {
    ASSERT_TRUE(WriteSaveFile(1, true, kDefaultSavePrefix));
    const std::vector<std::uint8_t> file = SlotBytes(1);
    EXPECT_EQ(file[6], 0);
    EXPECT_EQ(file[8], 0);
    const OpenedDataFile opened = OpenDataFile(file, kSaveFileFrame);
    const std::uint8_t sum = static_cast<std::uint8_t>(
        std::accumulate(opened.image.begin() + 20, opened.image.end(), 0u));
    EXPECT_EQ(file[2], sum);
    EXPECT_EQ(opened.image[20], kSaveSentinel);
    EXPECT_EQ(opened.image.back(), kSaveSentinel);
    EXPECT_EQ(opened.image[opened.image.size() - 2], 0) << "no replay data";
}

TEST_F(SaveFileTest, PlainReadsAnswerFromTheCache) {
    EXPECT_FALSE(ReadSaveFile(4, false, false, kDefaultSavePrefix));
    EXPECT_TRUE(TheSaveCache.Missing[SlotPath(4)]);
    ASSERT_TRUE(WriteSaveFile(2, true, kDefaultSavePrefix));
    folder.Write("Save/SaveData04.sav", SlotBytes(2));
    EXPECT_FALSE(ReadSaveFile(4, false, false, kDefaultSavePrefix)) << "the disk is tried once";

    std::filesystem::remove(folder.tree().path("Save/SaveData02.sav"));
    EXPECT_TRUE(ReadSaveFile(2, false, false, kDefaultSavePrefix)) << "written: no disk read";

    EXPECT_FALSE(ReadSaveFile(-1, false, false, kDefaultSavePrefix));
    EXPECT_FALSE(ReadSaveFile(1, false, false, "..\\Outside"));
    EXPECT_FALSE(ReadSaveFile(1, false, false, "C:\\Save"));
    EXPECT_FALSE(WriteSaveFile(1, true, "\\Save"));
    EXPECT_TRUE(reports.errors().empty());
}

TEST_F(SaveFileTest, ANewerWriteOrAFullDiskNeverLosesTheOldSave) {
    ASSERT_TRUE(WriteSaveFile(1, true, kDefaultSavePrefix));
    const std::vector<std::uint8_t> old = SlotBytes(1);
    V(3) = 43;
    struct Case {
        const char* fault;
        void (*arm)();
    };
    const Case cases[] = {
        {"write", [] { platform::FailNextWrites(1); }},
        {"flush", [] { platform::FailNextFlushes(1); }},
        {"rename", [] { platform::FailNextRenames(1); }},
        {"disk full", [] { platform::SetFreeBytesForTests(10); }},
    };
    for (const Case& c : cases) {
        c.arm();
        EXPECT_FALSE(WriteSaveFile(1, true, kDefaultSavePrefix)) << c.fault;
        platform::SetFreeBytesForTests(-1);
        EXPECT_EQ(SlotBytes(1), old) << c.fault;
        EXPECT_EQ(SaveFolderNames(), std::vector<std::string>{"SaveData01.sav"}) << c.fault;
    }
    ASSERT_EQ(reports.errors().size(), 1u) << "only the full disk is reported";
    EXPECT_EQ(reports.errors()[0].line1,
              test::Sjis(u8"セーブ処理エラー：ハードディスク容量が足りませんでした"));
}

// The game folder ends in its separator; the failed save is named with one separator after
// it.
TEST_F(SaveFileTest, AFailedWriteNamesTheSaveWithOneSeparator) {
    GameFolder = ".\\";
    platform::FailNextWrites(1);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(WriteSaveFile(1, true, kDefaultSavePrefix));
    EXPECT_NE(testing::internal::GetCapturedStderr().find(
                  "The save .\\Save\\SaveData01.sav cannot be written"),
              std::string::npos);
}

TEST_F(SaveFileTest, SavingDuringAReplayWritesNothing) {
    ReplayActive = 1;
    EXPECT_TRUE(WriteSaveFile(1, true, kDefaultSavePrefix));
    ReplayActive = 0;
    EXPECT_FALSE(Exists("Save/SaveData01.sav"));
}

TEST_F(SaveFileTest, ASnapshotKeepsTheSlotsRecorderAndLinksItsOwnInterpreter) {
    ASSERT_TRUE(WriteSaveFile(1, true, kDefaultSavePrefix));
    SaveState& slot = TheSaveCache.States.at(SlotPath(1));
    slot.replayRecorder.PushReplaySeed(99);
    const auto entries = slot.replayRecorder.Entries;
    TheMainInterpreter.SystemValue0 = 5;
    ASSERT_TRUE(WriteSaveFile(1, true, kDefaultSavePrefix));
    EXPECT_EQ(slot.replayRecorder.Entries, entries);
    EXPECT_EQ(slot.variableStore.link, &slot.mainInterpreter);
    EXPECT_EQ(slot.variableStore.GetSystemVariable(0), 5);
    EXPECT_EQ(slot.variableStore.GetSystemVariable(24), 1);

    SaveState copy;
    copy = slot;
    EXPECT_EQ(copy.variableStore.link, &slot.mainInterpreter) << "assignment copies the link";
}

// Every damage leaves the running game as it was: the load is refused before any part of it
// changes, with the report that the damage calls for.
TEST_F(SaveFileTest, DamagedOrForeignFilesLeaveTheRunningGameUnchanged) {
    ASSERT_TRUE(WriteSaveFile(3, true, kDefaultSavePrefix));
    const std::vector<std::uint8_t> intact = SlotBytes(3);
    OpenedDataFile opened = OpenDataFile(intact, kSaveFileFrame);
    const std::string damaged = test::Sjis(u8"セーブデータ03が破損しています 0秒");
    auto reseal = [&](std::vector<std::uint8_t> image) {
        SealDataFile(image, kSaveFileFrame, opened.seeds);
        return image;
    };
    auto with = [&](std::size_t at, std::uint8_t byte) {
        std::vector<std::uint8_t> image = opened.image;
        image[at] = byte;
        return reseal(image);
    };
    auto trailing = [&](std::size_t n) {
        std::vector<std::uint8_t> file = intact;
        file.insert(file.end(), n, 0x55);
        return file;
    };
    std::vector<std::uint8_t> checkFlipped = intact;
    checkFlipped[2] ^= 1;
    TheGameInfo.gameStrings[0] = "Another";
    ASSERT_TRUE(WriteSaveFile(5, true, kDefaultSavePrefix));
    const std::vector<std::uint8_t> foreign = SlotBytes(5);
    TheGameInfo.gameStrings[0] = test::Sjis(u8"表のゲーム");

    struct Case {
        const char* name;
        std::vector<std::uint8_t> file;
        std::vector<std::string> reports;
    };
    const Case cases[] = {
        {"first sentinel", with(20, 0x18), {damaged}},
        {"last sentinel", with(opened.image.size() - 1, 0), {damaged}},
        {"199 trailing bytes", trailing(199), {}},
        {"200 trailing bytes", trailing(200), {damaged}},
        {"check byte",
         checkFlipped,
         {FormatText(
              test::Sjis(u8"ファイル %s "
                         u8"が改竄されたか、破損している可能性があります。\nロードを中止します。")
                  .c_str(),
              SlotPath(3).c_str()),
          damaged}},
        {"foreign title",
         foreign,
         {test::Sjis(u8"セーブエラー"),
          test::Sjis(u8"異なるゲーム「Another」のセーブデータをロードしようとしました")}},
    };
    V(3) = 1;
    ThePictureList.Pictures.resize(1);
    const auto running = TheVariableStore.variableSets;
    for (const Case& c : cases) {
        PutSlotBytes(3, c.file);
        reports.errors().clear();
        // A good file is read into the cache only: applying it needs the running layer.
        const bool good = c.reports.empty();
        const bool loaded = ReadSaveFile(3, !good, false, kDefaultSavePrefix);
        std::vector<std::string> lines;
        for (const auto& error : reports.errors()) {
            lines.push_back(error.line1);
            if (!error.line2.empty())
                lines.push_back(error.line2);
        }
        if (good) {
            EXPECT_TRUE(loaded) << c.name;
            continue;
        }
        EXPECT_FALSE(loaded) << c.name;
        EXPECT_FALSE(LoadPending()) << c.name;
        EXPECT_EQ(lines, c.reports) << c.name;
        EXPECT_EQ(TheVariableStore.variableSets, running) << c.name;
        EXPECT_EQ(ThePictureList.Pictures.size(), 1u) << c.name;
        EXPECT_EQ(TheSaveCache.States.at(SlotPath(3)).variableStore.variableSets[0].size(), 0u)
            << c.name << ": the slot is reset";
    }
}

// A stored map size no map can have is damage, refused before anything is made for it (as
// the saves found with the map width 0x7FFFFFFF or 0x1000000 and height 0).
TEST_F(SaveFileTest, AMapSizeNoMapCanHaveIsRefusedAsDamage) {
    SaveState state;
    SnapshotRunningGame(state);
    state.mapState.scrollX = 0x5A5A0001;
    state.mapState.scrollY = 0x5A5A0002;
    const std::vector<std::uint8_t> plain = tools::WriteSaveFileImage(state, {111, {0, 0, 0}});
    const std::uint8_t views[] = {0x01, 0x00, 0x5A, 0x5A, 0x02, 0x00, 0x5A, 0x5A};
    const auto found = std::search(plain.begin(), plain.end(), std::begin(views), std::end(views));
    ASSERT_NE(found, plain.end());
    const auto sizeAt = static_cast<std::size_t>(found - plain.begin()) + sizeof views;
    auto sized = [&](std::int32_t width, std::int32_t height) {
        std::vector<std::uint8_t> file = plain;
        for (int i = 0; i < 4; ++i) {
            file[sizeAt + i] =
                static_cast<std::uint8_t>(static_cast<std::uint32_t>(width) >> (8 * i));
            file[sizeAt + 4 + i] =
                static_cast<std::uint8_t>(static_cast<std::uint32_t>(height) >> (8 * i));
        }
        return file;
    };
    PutSlotBytes(3,
                 sized(state.mapState.mapData.header.width, state.mapState.mapData.header.height));
    ASSERT_TRUE(ReadSaveFile(3, false, false, kDefaultSavePrefix));

    const std::string damaged = test::Sjis(u8"セーブデータ03が破損しています 0秒");
    struct Case {
        std::int32_t width;
        std::int32_t height;
    } const cases[] = {{0x7FFFFFFF, 0},
                       {0x01000000, 0},
                       {kMaxMapSide + 1, 1},
                       {0, 15},
                       {20, 0},
                       {20, -1},
                       {-20, 15},
                       {20, kMaxMapSide + 1},
                       {kMaxMapSide, kMaxMapSide}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        PutSlotBytes(3, sized(c.width, c.height));
        reports.errors().clear();
        EXPECT_FALSE(ReadSaveFile(3, true, false, kDefaultSavePrefix));
        EXPECT_FALSE(LoadPending());
        ASSERT_EQ(reports.errors().size(), 1u);
        EXPECT_EQ(reports.errors()[0].line1, damaged);
    }
}

TEST_F(SaveFileTest, TruncationAtEveryByteIsRefusedAndChangesNothing) {
    // A small save keeps the thousand reads quick: one common event's slots.
    TheVariableStore.commonNumbers.resize(1);
    TheVariableStore.commonStrings.resize(1);
    ASSERT_TRUE(WriteSaveFile(3, true, kDefaultSavePrefix));
    ASSERT_LT(SlotBytes(3).size(), 6000u);
    const std::vector<std::uint8_t> good = SlotBytes(3);
    V(3) = 1;
    const auto running = TheVariableStore.variableSets;
    for (std::size_t length = 0; length < good.size(); ++length) {
        PutSlotBytes(3, std::vector<std::uint8_t>(good.begin(), good.begin() + long(length)));
        ASSERT_FALSE(ReadSaveFile(3, true, false, kDefaultSavePrefix)) << length;
        ASSERT_FALSE(LoadPending()) << length;
    }
    EXPECT_EQ(TheVariableStore.variableSets, running);
}

TEST_F(SaveFileTest, ALoadWithoutChangeableDataBaseTypesIsRefusedButCached) {
    CDataBase.types.clear();
    ASSERT_TRUE(WriteSaveFile(3, true, kDefaultSavePrefix));
    TheSaveCache = SaveCache();
    EXPECT_FALSE(ReadSaveFile(3, true, false, kDefaultSavePrefix));
    EXPECT_FALSE(LoadPending());
    ASSERT_EQ(reports.errors().size(), 1u);
    EXPECT_EQ(
        reports.errors()[0].line1,
        test::Sjis(u8"可変DB情報が保存されていないセーブデータを読み込みました、ロード処理中断"));
    EXPECT_TRUE(TheSaveCache.Loaded[SlotPath(3)]);
    EXPECT_EQ(TheSaveCache.States.at(SlotPath(3)).variableStore.variableSets[0][3], 42);
}

TEST_F(SaveFileTest, AReplayStartHandsTheSlotsRecorderOverAndGoesBackToTheTitle) {
    SaveState state;
    SnapshotRunningGame(state);
    const ReplayRecorder recorder = tools::RecorderFromKeyScript("30 16\n250 0\n", 1234);
    PutSlotBytes(2, tools::PutReplayIntoSave(tools::WriteSaveFileImage(state), recorder));
    TheScreenState.SceneNumber = 1;
    ASSERT_TRUE(ReadSaveFile(2, false, true, kDefaultSavePrefix));
    EXPECT_EQ(TheScreenState.SceneNumber, 0);
    EXPECT_EQ(ReplayActive, 1);
    EXPECT_EQ(ReplayFinished, 0);
    EXPECT_EQ(TheReplayRecorder.Entries, (std::vector<std::uint8_t>{250, 30, 240, 10}));
    EXPECT_EQ(TheReplayRecorder.Values, (std::vector<std::int32_t>{1234, 16, 0, 0}));
    ReplayActive = 0;
}

TEST_F(SaveFileTest, OlderVersionsReadWithTheirGates) {
    SaveState state;
    SnapshotRunningGame(state);
    state.pictureList.Pictures[1].EffectZoom = 150;
    for (const std::int16_t version : {96, 99, 104, 105, 106, 107, 111}) {
        PutSlotBytes(1, tools::WriteSaveFileImage(state, {version, {}}));
        ASSERT_TRUE(ReadSaveFile(1, false, false, kDefaultSavePrefix)) << version;
        const SaveState& read = TheSaveCache.States.at(SlotPath(1));
        EXPECT_EQ(read.variableStore.variableSets[0][3], 42) << version;
        EXPECT_EQ(read.variableStore.stringVariables[2], test::Sjis(u8"表示")) << version;
        const Picture& image = read.pictureList.Pictures.at(1);
        EXPECT_EQ(image.EffectZoom, version >= 105 ? 150 : 100) << version;
        EXPECT_EQ(image.EffectColour, kNeutralColour) << version;
        EXPECT_EQ(image.FollowsMap, version >= 107 ? 1 : 0) << version;
        EXPECT_EQ(read.mainInterpreter.TransitionGraphic, version >= 100 ? 4 : -1) << version;
        EXPECT_EQ(read.mainInterpreter.MessageExtraTextA, version >= 103 ? test::Sjis(u8"表") : "")
            << version;
    }
}

}  // namespace
}  // namespace game
