// The picture command's entry points and the operations they run on each picture.
#include "game/presentation/picture_commands.h"

#include <gtest/gtest.h>

#include "game/core/play_settings.h"
#include "game/core/processing_point.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/map_state.h"
#include "tests/game/presentation/picture_fixture.h"
#include "tests/support/sjis.h"

namespace game {
namespace {

class PictureCommands : public test::PictureScreens {
  protected:
    void SetUp() override {
        test::PictureScreens::SetUp();
        WriteImage("a.png", 64, 32, 0xFF0000);
        WriteImage("sheet.png", 60, 20, 0x00FF00);
    }

    // An image show of a.png at (x, y), over `duration` frames.
    static PictureArgs Image(int x, int y, int duration = 0, const char* file = "a.png") {
        PictureArgs args;
        args.text = file;
        args.x = x;
        args.y = y;
        args.duration = duration;
        return args;
    }

    static void Show(int first, int last, const PictureArgs& args, int zoom = 100,
                     int zoomMode = 0) {
        ShowPictures(ThePictureList, first, last, args, zoom, zoomMode, false);
    }

    static std::vector<int> Numbers() {
        std::vector<int> numbers;
        for (const game::Picture& picture : ThePictureList.Pictures)
            numbers.push_back(picture.Number);
        return numbers;
    }
};

TEST_F(PictureCommands, AShowMakesTheMissingNumbersAndSetsUpTheOnesThatExist) {
    Show(7, 7, Image(10, 20));
    Show(5, 8, Image(30, 40, 10));
    EXPECT_EQ(Numbers(), (std::vector<int>{5, 6, 7, 8}));
    EXPECT_EQ(ThePictureList.Count, 4);
    EXPECT_EQ(ThePictureList.Hints, (std::array<int, 3>{6, 7, 8}));
    // New pictures fade in from opacity 0 where they stand; 7 moves from where it was.
    const game::Picture& fresh = PictureAt(5);
    EXPECT_EQ(fresh.Hidden, 0);
    EXPECT_EQ(fresh.StartOpacity, 0);
    EXPECT_EQ(fresh.Opacity, 255);
    EXPECT_EQ(fresh.StartX, 30);
    EXPECT_EQ(fresh.Remaining, 10);
    const game::Picture& again = PictureAt(7);
    EXPECT_EQ(again.StartOpacity, 255);
    EXPECT_EQ(again.StartX, 10);
    EXPECT_EQ(again.TargetX, 30);
    EXPECT_EQ(again.Width, 64);
    EXPECT_EQ(ThePictureImageCache.entries.size(), 1u);
}

TEST_F(PictureCommands, ADelayedShowMakesHiddenPicturesWithTheShowQueued) {
    PictureArgs args = Image(0, 0);
    args.delay = 5;
    Show(1, 3, args);
    ASSERT_EQ(Numbers(), (std::vector<int>{1, 2, 3}));
    for (const game::Picture& picture : ThePictureList.Pictures) {
        EXPECT_EQ(picture.Hidden, 1);
        ASSERT_EQ(picture.QueuedCommands.size(), 1u);
        EXPECT_EQ(picture.QueuedCommands[0].tag, PictureQueueTag::kShow);
        EXPECT_EQ(picture.QueuedCommands[0].args.delay, 5);
    }
    EXPECT_TRUE(ThePictureImageCache.entries.empty());
}

TEST_F(PictureCommands, TheZoomModeChoosesTheSidesAndLeaveKeepsBoth) {
    struct Case {
        int zoom, mode, zoomX, zoomY;
    };
    for (const Case& c : {Case{150, 0, 150, 150}, Case{150, 1, 100, 150}, Case{150, 2, 150, 100},
                          Case{kLeaveValue, 1, 70, 80}, Case{kLeaveValue, 2, 70, 80}}) {
        Show(0, 0, Image(0, 0));
        game::Picture& picture = PictureAt(0);
        picture.ZoomX = 70;
        picture.ZoomY = 80;
        Show(0, 0, Image(0, 0), c.zoom, c.mode);
        EXPECT_EQ(picture.ZoomX, c.zoomX) << c.zoom << " " << c.mode;
        EXPECT_EQ(picture.ZoomY, c.zoomY) << c.zoom << " " << c.mode;
    }
}

TEST_F(PictureCommands, LeaveArgumentsKeepTheTargetsAndANewPictureStartsFromThem) {
    PictureArgs args = Image(5, 5, 10);
    args.pattern = kLeaveValue;
    args.opacity = kLeaveValue;
    args.angle = kLeaveValue;
    args.flags = kLeaveBlendKind;
    args.colour = kNeutralColour | kLeaveColourBit;
    Show(0, 0, args, kLeaveValue);
    const game::Picture& picture = PictureAt(0);
    EXPECT_EQ(picture.Pattern, 1);
    EXPECT_EQ(picture.StartPattern, 1);
    EXPECT_EQ(picture.Opacity, 0);
    EXPECT_EQ(picture.ZoomX, 100);
    EXPECT_EQ(picture.StartZoomX, 100);
    EXPECT_EQ(picture.StartAngle, 0);
    EXPECT_EQ(picture.BlendKind, 0);
}

TEST_F(PictureCommands, TheStartPositionFollowsANewAnchorOnTheStartZoom) {
    Show(0, 0, Image(100, 50), 200);
    PictureArgs args = Image(100, 50, 8);
    args.anchor = 1;
    Show(0, 0, args, 200);
    const game::Picture& picture = PictureAt(0);
    // From the top left to the centre of a 64 x 32 picture at 200 percent.
    EXPECT_EQ(picture.StartX, 100 + 64);
    EXPECT_EQ(picture.StartY, 50 + 32);
    EXPECT_EQ(picture.Anchor, 1);
    EXPECT_EQ(picture.PreviousAnchor, 1);
}

TEST_F(PictureCommands, AMapLinkedShowTakesItsPositionInMapPixels) {
    TheMapState.scrollX = 4 * 100 + 3;
    TheMapState.scrollY = -4 * 10;
    PictureArgs args = Image(5, 6);
    args.flags = 0x100 | 2;
    Show(0, 0, args);
    const game::Picture& picture = PictureAt(0);
    EXPECT_EQ(picture.FollowsMap, 1);
    EXPECT_EQ(picture.TargetX, 105);
    EXPECT_EQ(picture.TargetY, -4);
    EXPECT_EQ(picture.BlendKind, 2);
}

TEST_F(PictureCommands, ARelativeMoveGoesFromTheCurrentStartPosition) {
    Show(0, 0, Image(40, 40));
    PictureArgs move;
    move.x = 10;
    move.y = -5;
    move.relative = true;
    move.duration = 6;
    MovePictures(ThePictureList, 0, 0, move, 100, 0);
    const game::Picture& picture = PictureAt(0);
    EXPECT_EQ(picture.StartX, 40);
    EXPECT_EQ(picture.TargetX, 50);
    EXPECT_EQ(picture.TargetY, 35);
    EXPECT_EQ(picture.Remaining, 6);
    // A move that catches a transition on its way starts where it stands.
    MovePicture(PictureAt(0), Image(0, 0, 4));
    EXPECT_EQ(picture.StartX, 50 + (40 - 50) * 5 / 6);
}

TEST_F(PictureCommands, AMoveOrEraseReachesOnlyPicturesThatExist) {
    Show(2, 2, Image(0, 0));
    MovePictures(ThePictureList, 0, 5, Image(9, 9), 100, 0);
    ErasePictures(ThePictureList, 0, 5, 10, 0, kNeutralColour);
    EXPECT_EQ(Numbers(), (std::vector<int>{2}));
    EXPECT_EQ(PictureAt(2).TargetX, 9);
    EXPECT_EQ(PictureAt(2).Erasing, 1);
}

TEST_F(PictureCommands, ASecondEraseLeavesTheRunningFadeAlone) {
    Show(0, 0, Image(0, 0));
    ErasePictures(ThePictureList, 0, 0, 10, 0, 0xC86464);
    game::Picture& picture = PictureAt(0);
    EXPECT_EQ(picture.Tint, (std::array<int, 3>{254, 0, 0}));
    picture.Remaining = 4;
    ErasePictures(ThePictureList, 0, 0, 30, 0, 0x000000);
    EXPECT_EQ(picture.Remaining, 4);
    EXPECT_EQ(picture.Duration, 10);
    EXPECT_EQ(picture.Tint, (std::array<int, 3>{254, 0, 0}));
}

TEST_F(PictureCommands, CancelEmptiesTheQueuesOfTheRangeOnly) {
    PictureArgs args = Image(0, 0);
    args.delay = 3;
    Show(0, 2, args);
    CancelDelayedPictureCommands(ThePictureList, 1, 5);
    EXPECT_EQ(PictureAt(0).QueuedCommands.size(), 1u);
    EXPECT_TRUE(PictureAt(1).QueuedCommands.empty());
    EXPECT_TRUE(PictureAt(2).QueuedCommands.empty());
}

TEST_F(PictureCommands, APatternBeyondTheCellsIsReportedAndTheRunningTransitionGoesOn) {
    TheProcessingPoint = {4, -1, 9};
    PictureArgs args = Image(0, 0, 0, "sheet.png");
    args.splitX = 3;
    Show(3, 3, args);
    game::Picture& picture = PictureAt(3);
    picture.Remaining = 5;
    picture.Duration = 10;
    PictureArgs move = Image(60, 0, 20);
    move.pattern = 4;
    MovePicture(picture, move);
    ASSERT_EQ(reports_.errors().size(), 1u);
    EXPECT_EQ(reports_.errors()[0].line1,
              test::Sjis(u8"ｴﾗｰ【ピクチャ】パターン番号が大きすぎます！ >ID3 パターン4(Max3)"));
    EXPECT_EQ(reports_.errors()[0].line2,
              test::Sjis(u8"※ディレイが設定されていた場合は、↓の位置とは異なります"));
    EXPECT_EQ(reports_.errors()[0].line3, GetProcessingPointText());
    EXPECT_EQ(picture.Pattern, 4);
    EXPECT_EQ(picture.TargetX, 60);
    EXPECT_EQ(picture.Remaining, 4);
    EXPECT_EQ(picture.Duration, 10);
}

TEST_F(PictureCommands, ASplitBelowOneIsRaisedAndReportedOnlyInTestPlay) {
    PictureArgs args = Image(0, 0);
    args.splitX = 0;
    args.splitY = -2;
    Show(0, 0, args);
    EXPECT_TRUE(reports_.errors().empty());
    EXPECT_EQ(PictureAt(0).SplitX, 1);
    EXPECT_EQ(PictureAt(0).SplitY, 1);
    TestPlayMode = 1;
    Show(1, 1, args);
    ASSERT_EQ(reports_.errors().size(), 1u);
    EXPECT_EQ(reports_.errors()[0].line1,
              test::Sjis(u8"[ﾃｽﾄ時専用ｴﾗｰ] ﾋﾟｸﾁｬ 1 が分割数(ｻｲｽﾞ)0以下です！ > 横0 縦-2"));
}

TEST_F(PictureCommands, AMissingImageErasesThePicture) {
    Show(0, 0, Image(0, 0, 0, "none.png"));
    EXPECT_EQ(PictureAt(0).Erased, 1);
    EXPECT_EQ(reports_.boxes().size(), 1u);
}

TEST_F(PictureCommands, ANewImageReleasesTheOldOneWhenNoOtherPictureShowsIt) {
    WriteImage("b.png", 8, 8, 0x0000FF);
    Show(0, 1, Image(0, 0));
    Show(0, 0, Image(0, 0, 0, "b.png"));
    EXPECT_EQ(ThePictureImageCache.entries.size(), 2u);
    Show(1, 1, Image(0, 0, 0, "b.png"));
    ASSERT_EQ(ThePictureImageCache.entries.size(), 1u);
    EXPECT_EQ(ThePictureImageCache.entries[0].name, "b.png");
}

TEST_F(PictureCommands, AWindowKeepsItsSizeAndTakesNineCells) {
    WriteImage("skin.png", 48, 48, 0x808080);
    PictureArgs args = Image(0, 0, 0, "skin.png");
    args.splitX = 160;
    args.splitY = 96;
    ShowPictures(ThePictureList, 0, 0, args, 100, 0, true);
    const game::Picture& picture = PictureAt(0);
    EXPECT_EQ(picture.IsWindowPicture, 1);
    EXPECT_EQ(picture.Cells.size(), 9u);
    EXPECT_EQ(picture.Width, 16);
    EXPECT_EQ(picture.SplitX, 160);
    EXPECT_EQ(picture.SplitY, 96);
}

TEST_F(PictureCommands, AStringPictureStartsFromItsValuesAndIsMeasured) {
    TheMainInterpreter.StringPictureSpeed = 40;
    Show(0, 0, Image(0, 0));
    PictureArgs args = Image(30, 40, 12);
    args.text = "ABC";
    args.opacity = 200;
    ShowStringPictures(ThePictureList, 0, 0, args, 150, 0);
    const game::Picture& picture = PictureAt(0);
    EXPECT_EQ(picture.IsStringPicture, 1);
    EXPECT_TRUE(picture.ImageName.empty());
    EXPECT_EQ(picture.ImageHandle, 0);
    EXPECT_TRUE(ThePictureImageCache.entries.empty());
    EXPECT_EQ(picture.StartX, 30);
    EXPECT_EQ(picture.StartOpacity, 0);
    EXPECT_EQ(picture.Opacity, 200);
    EXPECT_EQ(picture.StartZoomX, 150);
    EXPECT_EQ(picture.Text.OriginX, 30);
    EXPECT_EQ(picture.Text.Speed, 40.0);
    EXPECT_GT(picture.Width, 0);
    EXPECT_EQ(picture.PreviousWidth, picture.Width);
    EXPECT_GT(picture.Height, 0);
}

TEST_F(PictureCommands, AColourBecomesATintOfTwoPointFiveFivePerStep) {
    struct Case {
        int colour;
        std::array<int, 3> tint;
    };
    for (const Case& c : {Case{0x646464, {0, 0, 0}}, Case{0xC80000, {254, -254, -254}},
                          Case{0x329664, {-127, 127, 0}}, Case{0x656463, {2, 0, -2}}})
        EXPECT_EQ(TintOfColour(c.colour), c.tint) << std::hex << c.colour;
}

}  // namespace
}  // namespace game
