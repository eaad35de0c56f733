// Picture records, their transition values, the range search and the property query.
#include "game/presentation/picture_list.h"

#include <gtest/gtest.h>

#include <limits>

#include "game/core/input_state.h"
#include "game/core/play_settings.h"
#include "game/map/map_state.h"
#include "tests/game/core/fresh_game_state.h"
#include "tests/game/presentation/text_layer_fake.h"

namespace game {
namespace {

class PictureListTest : public testing::Test {
  protected:
    void SetUp() override {
        FreshGameState();
        FramesPerUpdate = 1;
    }
    void TearDown() override {
        FreshGameState();
        FramesPerUpdate = 1;
    }

    // A list of pictures with these numbers, its hints rebuilt.
    static PictureList ListOf(const std::vector<int>& numbers) {
        PictureList list;
        for (const int number : numbers)
            list.Pictures.emplace_back(number);
        list.RebuildPictureHints();
        return list;
    }

    test::FakeTextLayer layer_;
};

TEST_F(PictureListTest, ANewRecordIsHiddenWithTheResetValues) {
    Picture picture(7);
    EXPECT_EQ(picture.Number, 7);
    EXPECT_EQ(picture.Hidden, 1);
    EXPECT_EQ(picture.Pattern, 1);
    EXPECT_EQ(picture.ZoomY, 100);
    EXPECT_EQ(picture.EffectColour, 0x646464);
    EXPECT_EQ(picture.HitBottom, -100);
    picture.Hidden = 0;
    picture.QueuedCommands.push_back({});
    picture.ResetPicture();
    EXPECT_EQ(picture.Number, -1);
    EXPECT_EQ(picture.Hidden, 1);
    EXPECT_TRUE(picture.QueuedCommands.empty());
}

TEST_F(PictureListTest, InterpolationFormsTheProductFirstAndTruncatesTowardZero) {
    struct Case {
        int start, target, remaining, duration, value;
    };
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    for (const Case& c : {
             Case{10, 20, 5, 10, 15}, Case{0, 7, 1, 3, 5},  // 7 + (-7 / 3)
             Case{0, -7, 1, 3, -5},                         // -7 + (7 / 3)
             Case{10, 20, 0, 0, 20},                        // a duration of 0 reads as 1
             Case{10, 20, 3, 0, -10},                       // ... also while frames are left
             Case{10, 20, -1, 5, 20},                       // ended
             Case{-2000000000, 2000000000, 1, 2, 0},
             Case{kMin, kMax, 1, 1, kMin},  // no overflow on the way
             Case{kMin, kMax, 3, 1, kMin},  // cut to the int range
         }) {
        EXPECT_EQ(InterpolatePictureValue(c.start, c.target, c.remaining, c.duration), c.value)
            << c.start << " " << c.target << " " << c.remaining << " " << c.duration;
    }
}

TEST_F(PictureListTest, TheTimerStopsAtMinusOne) {
    struct Case {
        int framesPerUpdate, remaining, after;
    };
    for (const Case& c : {Case{1, 5, 4}, Case{1, 0, -1}, Case{1, -1, -1}, Case{2, 5, 3},
                          Case{2, 1, -1}, Case{1, std::numeric_limits<int>::min(), -1}}) {
        FramesPerUpdate = c.framesPerUpdate;
        Picture picture;
        picture.Remaining = c.remaining;
        picture.TickPictureTimer();
        EXPECT_EQ(picture.Remaining, c.after) << c.framesPerUpdate << " " << c.remaining;
    }
}

TEST_F(PictureListTest, AMissingPictureReadsMinusOneExceptShown) {
    PictureList list = ListOf({1, 2});
    for (int property = -1; property <= 11; ++property)
        EXPECT_EQ(list.GetPictureInfo(9, property), property == 9 ? 0 : -1) << property;
    EXPECT_EQ(list.GetPictureInfo(2, 9), 1);
    list.Pictures[1].Erased = 1;
    EXPECT_EQ(list.GetPictureInfo(2, 9), 0);
}

TEST_F(PictureListTest, ThePropertiesOfAPictureMidTransition) {
    PictureList list = ListOf({4});
    Picture& picture = list.Pictures[0];
    picture.StartX = 0;
    picture.TargetX = 100;
    picture.StartY = 50;
    picture.TargetY = 10;
    picture.StartOpacity = 0;
    picture.Opacity = 255;
    picture.StartAngle = 900;
    picture.Angle = 0;
    picture.Remaining = 1;
    picture.Duration = 4;
    picture.Width = 30;
    picture.Height = 20;
    picture.Pattern = 3;
    picture.WrapOffsetX = 640;
    struct Case {
        int property, value;
    };
    for (const Case& c : {Case{0, 75 + 640}, Case{1, 20}, Case{2, 30}, Case{3, 20}, Case{4, 3},
                          Case{5, 192}, Case{6, 225}, Case{7, 100}, Case{10, -1}, Case{11, -1}})
        EXPECT_EQ(list.GetPictureInfo(4, c.property), c.value) << c.property;
}

TEST_F(PictureListTest, AZoomOnlyInHeightIsReportedAsTheZoom) {
    PictureList list = ListOf({0});
    Picture& picture = list.Pictures[0];
    picture.Remaining = -1;
    picture.ZoomY = 250;
    EXPECT_EQ(list.GetPictureInfo(0, 7), 250);
    picture.ZoomX = 80;
    EXPECT_EQ(list.GetPictureInfo(0, 7), 80);
}

TEST_F(PictureListTest, AWindowReportsItsZoomedSizeAndAMapLinkedPictureItsScreenPosition) {
    PictureList list = ListOf({0});
    Picture& picture = list.Pictures[0];
    picture.Remaining = -1;
    picture.IsWindowPicture = 1;
    picture.SplitX = 160;
    picture.SplitY = 95;
    picture.ZoomX = 150;
    picture.ZoomY = 50;
    picture.FollowsMap = 1;
    picture.TargetX = 100;
    picture.TargetY = 100;
    TheMapState.scrollX = 4 * 30;
    TheMapState.scrollY = -7;
    EXPECT_EQ(list.GetPictureInfo(0, 2), 240);
    EXPECT_EQ(list.GetPictureInfo(0, 3), 47);
    EXPECT_EQ(list.GetPictureInfo(0, 0), 70);
    EXPECT_EQ(list.GetPictureInfo(0, 1), 101);  // -7 / 4 truncates to -1
}

TEST_F(PictureListTest, TheMouseIsOverAPictureInsideItsInclusiveHitRectangle) {
    PictureList list = ListOf({0});
    Picture& picture = list.Pictures[0];
    picture.HitLeft = 10;
    picture.HitRight = 20;
    picture.HitTop = 30;
    picture.HitBottom = 40;
    struct Case {
        int x, y, over;
    };
    for (const Case& c : {Case{10, 30, 1}, Case{20, 40, 1}, Case{21, 35, 0}, Case{15, 29, 0}}) {
        TheInputState.mouseX = c.x;
        TheInputState.mouseY = c.y;
        EXPECT_EQ(list.GetPictureInfo(0, 8), c.over) << c.x << " " << c.y;
    }
}

TEST_F(PictureListTest, TheRangeSearchStartsFromTheHints) {
    PictureList list = ListOf({-5, 0, 2, 4, 6, 8, 10, 12});
    EXPECT_EQ(list.Count, 8);
    EXPECT_EQ(list.Hints, (std::array<int, 3>{2, 6, 10}));
    struct Case {
        int first;
        std::size_t index;
    };
    for (const Case& c : {Case{-100, 0}, Case{0, 1}, Case{5, 4}, Case{9, 6}, Case{12, 7},
                          Case{13, 8}, Case{1000000, 8}})
        EXPECT_EQ(list.FindRangeStart(c.first), c.index) << c.first;
    // Hints left from a longer list do not lead the search past a picture.
    list.Pictures.resize(3);
    EXPECT_EQ(list.FindRangeStart(2), 2u);
    EXPECT_EQ(list.FindRangeStart(100), 3u);
}

}  // namespace
}  // namespace game
