#include <gtest/gtest.h>

#include "game/core/game_random.h"
#include "game/core/save_buffer.h"
#include "game/save/replay_recorder.h"
#include "tests/game/core/report_capture.h"
#include "tests/support/sjis.h"

namespace game {
namespace {

ReplayKeys Keys(std::uint8_t key) {
    ReplayKeys keys;
    std::uint8_t* flags[] = {&keys.up,      &keys.down,   &keys.left, &keys.right,
                             &keys.confirm, &keys.cancel, &keys.sub,  &keys.fourth};
    for (int bit = 0; bit < 8; ++bit)
        *flags[bit] = static_cast<std::uint8_t>(key >> bit & 1);
    return keys;
}

class ReplayRecorderTest : public testing::Test {
  protected:
    void SetUp() override {
        GameRandomControl(static_cast<int>(RandomMode::kSet), 777);
        ReplayFinished = 0;
    }
    void TearDown() override { ReplayFinished = 0; }

    ReportCapture reports;
};

TEST_F(ReplayRecorderTest, RecordsRunsOfKeyBytes) {
    ReplayRecorder fresh;
    EXPECT_EQ(fresh.Entries, std::vector<std::uint8_t>{250});
    EXPECT_EQ(fresh.Values, std::vector<std::int32_t>{777});
    EXPECT_EQ(fresh.RunLength, 0);

    ReplayRecorder first;
    first.RecordReplayKeys(Keys(0));
    EXPECT_EQ(first.RunLength, 1);
    EXPECT_EQ(first.Entries.size(), 1u);

    ReplayRecorder kkm;
    kkm.RecordReplayKeys(Keys(0x11));
    kkm.RecordReplayKeys(Keys(0x11));
    kkm.RecordReplayKeys(Keys(0x04));
    EXPECT_EQ(kkm.Entries, (std::vector<std::uint8_t>{250, 2}));
    EXPECT_EQ(kkm.Values, (std::vector<std::int32_t>{777, 0x11}));
    EXPECT_EQ(kkm.CurrentKeys, 0x04);
    EXPECT_EQ(kkm.RunLength, 1);

    ReplayRecorder held;
    for (int frame = 0; frame < 240; ++frame)
        held.RecordReplayKeys(Keys(0x80));
    EXPECT_EQ(held.Entries, (std::vector<std::uint8_t>{250, 240}));
    EXPECT_EQ(held.Values, (std::vector<std::int32_t>{777, 0x80}));
    EXPECT_EQ(held.RunLength, 0);
    held.RecordReplayKeys(Keys(0x80));
    EXPECT_EQ(held.RunLength, 1);
    for (int frame = 241; frame < 500; ++frame)
        held.RecordReplayKeys(Keys(0x80));
    EXPECT_EQ(held.Entries, (std::vector<std::uint8_t>{250, 240, 240}));
    EXPECT_EQ(held.RunLength, 20);

    ReplayRecorder none;
    none.CurrentKeys = 9;
    none.FlushReplayRun();
    EXPECT_EQ(none.Entries.size(), 1u);
    EXPECT_EQ(none.CurrentKeys, 0);
}

TEST_F(ReplayRecorderTest, PlaysFramesThenReportsTheEnd) {
    ReplayRecorder recorder;
    recorder.Entries = {250, 2, 1};
    recorder.Values = {777, 0x11, 0x80};
    EXPECT_EQ(recorder.PlayReplayKeys(), Keys(0x11));
    EXPECT_EQ(recorder.PlayReplayKeys(), Keys(0x11));
    EXPECT_EQ(recorder.PlayReplayKeys(), Keys(0x80));
    EXPECT_TRUE(reports.errors().empty());
    EXPECT_EQ(recorder.PlayReplayKeys(), Keys(0));
    EXPECT_EQ(ReplayFinished, 1);
    EXPECT_EQ(recorder.FramesPlayed, 4u);
    ASSERT_EQ(reports.errors().size(), 1u);
    EXPECT_EQ(reports.errors()[0].line1, test::Sjis(u8"リプレイデータが終了しました"));
    EXPECT_EQ(recorder.Entries, (std::vector<std::uint8_t>{250, 0, 0})) << "the record is used up";
}

TEST_F(ReplayRecorderTest, SeedChecksFromTheTenthEntryOn) {
    for (const std::size_t at : {9u, 10u}) {
        ReplayRecorder recorder;
        recorder.Entries.assign(at, 0);
        recorder.Values.assign(at, 0);
        recorder.Entries.push_back(251);
        recorder.Values.push_back(5);
        recorder.Entries.push_back(1);
        recorder.Values.push_back(0x02);
        reports.errors().clear();
        EXPECT_EQ(recorder.PlayReplayKeys(), Keys(0x02));
        if (at == 9) {
            EXPECT_TRUE(reports.errors().empty());
        } else {
            ASSERT_EQ(reports.errors().size(), 1u);
            EXPECT_EQ(reports.errors()[0].line1,
                      test::Sjis(u8"乱数シードが違います 保存=5 現在=777"));
        }
    }
}

TEST_F(ReplayRecorderTest, ReadsReplayParts) {
    for (std::uint8_t flag : {0, 2}) {
        SaveBuffer load(std::vector<std::uint8_t>{flag, 1, 0, 0, 0});
        ReplayRecorder recorder;
        ASSERT_TRUE(recorder.ReadReplayPart(load));
        EXPECT_EQ(load.position(), 1u);
        EXPECT_EQ(recorder.Entries.size(), 1u);
    }
    SaveBuffer part(std::vector<std::uint8_t>{1, 2, 0, 0, 0, 250, 0x10, 0, 0, 0, 3, 0x21});
    ReplayRecorder recorder;
    ASSERT_TRUE(recorder.ReadReplayPart(part));
    EXPECT_EQ(part.position(), 12u);
    EXPECT_EQ(recorder.Entries, (std::vector<std::uint8_t>{250, 3}));
    EXPECT_EQ(recorder.Values, (std::vector<std::int32_t>{16, 0x21}));

    for (const std::vector<std::uint8_t>& bytes :
         {std::vector<std::uint8_t>{1, 2, 0, 0, 0, 250, 0x10},
          std::vector<std::uint8_t>{1, 0xFF, 0xFF, 0xFF, 0x7F, 3, 1}}) {
        SaveBuffer shortPart(bytes);
        ReplayRecorder target;
        EXPECT_FALSE(target.ReadReplayPart(shortPart));
        EXPECT_TRUE(shortPart.readPastEnd());
    }
}

}  // namespace
}  // namespace game
