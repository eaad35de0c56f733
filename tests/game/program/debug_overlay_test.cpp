#include "game/program/debug_overlay.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/sjis.h"

namespace {

using test::Sjis;

TEST(DebugCaptions, TitleCaptionNamesTheKeys) {
    EXPECT_EQ(game::TitleCaption(Sjis(u8"デモ")),
              Sjis(u8"『デモ』 　　　　 F4:画面変更 / F8:情報変更"));
}

TEST(DebugCaptions, PlayCaptionNamesTheFrameSkipLevel) {
    EXPECT_EQ(game::PlayCaption(30, 60, 1),
              Sjis(u8"[描画FPS30/内部FPS60] [中スペック用/ノーマル(F5で変更)] F8:情報変更"));
    EXPECT_EQ(game::PlayCaption(60, 60, 0),
              Sjis(u8"[描画FPS60/内部FPS60] [高スペック用/なめらか(F5で変更)] F8:情報変更"));
}

TEST(DebugCaptions, TestPlayCaptionShowsTheDrawDetails) {
    EXPECT_EQ(game::TestPlayCaption(15, 2, 7, 60, 42, 320, 240, 3),
              Sjis(u8"[描画FPS15(ｽｷｯﾌﾟx3)<7ms>/内部FPS60]ｽﾌﾟﾗｲﾄ42枚/ﾏｳｽ X320 Y240 / "
                   u8"[Ev処理時間]=3|||"));
}

TEST(DebugCaptions, EventTimeBarGrowsWithTheTimeUpToTwentyOneSigns) {
    struct BarCase {
        int time;
        std::string bar;
    };
    for (const BarCase& bar :
         {BarCase{0, "0"}, BarCase{4, "4||||"}, BarCase{10, "10||||||||||"},
          BarCase{13, Sjis(u8"13||||||||||■")}, BarCase{31, Sjis(u8"31||||||||||■■■■■★")},
          BarCase{500, Sjis(u8"500||||||||||■■■■■★★★★★★")}}) {
        EXPECT_EQ(game::EventTimeBar(bar.time), bar.bar) << bar.time;
    }
}

TEST(PlaybackClock, ShowsHoursMinutesAndSecondsOfSixtyFrames) {
    EXPECT_EQ(game::PlaybackClock(0), "00:00:00");
    EXPECT_EQ(game::PlaybackClock(3599), "00:00:59");
    EXPECT_EQ(game::PlaybackClock(3600), "00:01:00");
    EXPECT_EQ(game::PlaybackClock(216000), "01:00:00");
}

}  // namespace
