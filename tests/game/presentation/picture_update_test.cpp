// The pictures' per-update step: delayed commands, erase fades and timed effects.
#include "game/presentation/picture_update.h"

#include <gtest/gtest.h>

#include "game/core/play_settings.h"
#include "game/presentation/picture_commands.h"
#include "tests/game/presentation/picture_fixture.h"

namespace game {
namespace {

class PictureUpdate : public test::PictureScreens {
  protected:
    void SetUp() override {
        test::PictureScreens::SetUp();
        WriteImage("a.png", 16, 16, 0xFF0000);
    }

    static PictureArgs Image(int x, int delay = 0, int duration = 0) {
        PictureArgs args;
        args.text = "a.png";
        args.x = x;
        args.delay = delay;
        args.duration = duration;
        return args;
    }

    static void Show(int number, const PictureArgs& args) {
        ShowPictures(ThePictureList, number, number, args, 100, 0, false);
    }

    static void Updates(int count) {
        for (int update = 0; update < count; ++update)
            UpdatePictures(ThePictureList);
    }
};

TEST_F(PictureUpdate, ADelayCountsDownByFramesPerUpdateAndRunsWhenAtZeroOrBelow) {
    FramesPerUpdate = 2;
    Show(0, Image(10, 5));
    Updates(3);
    ASSERT_EQ(PictureAt(0).QueuedCommands.size(), 1u);
    EXPECT_EQ(PictureAt(0).QueuedCommands[0].args.delay, -1);
    EXPECT_EQ(PictureAt(0).Hidden, 1);
    Updates(1);
    EXPECT_TRUE(PictureAt(0).QueuedCommands.empty());
    EXPECT_EQ(PictureAt(0).Hidden, 0);
    EXPECT_EQ(PictureAt(0).TargetX, 10);
}

TEST_F(PictureUpdate, CommandsDueInOneUpdateRunInQueueOrder) {
    Show(0, Image(10, 2));
    PictureArgs move;
    move.x = 70;
    move.delay = 2;
    MovePictures(ThePictureList, 0, 0, move, 100, 0);
    Updates(3);
    const game::Picture& picture = PictureAt(0);
    EXPECT_TRUE(picture.QueuedCommands.empty());
    EXPECT_EQ(picture.Hidden, 0);
    EXPECT_EQ(picture.StartX, 10);
    EXPECT_EQ(picture.TargetX, 70);
}

TEST_F(PictureUpdate, AnEraseOfNoLengthEndsInTheNextUpdateAndReleasesTheImage) {
    Show(0, Image(0));
    Show(1, Image(0));
    ErasePictures(ThePictureList, 0, 1, 0, 0, kNeutralColour);
    PictureAt(1).QueuedCommands.push_back({PictureQueueTag::kMove, Image(0, 100)});
    Updates(1);
    // Picture 1 waits, hidden, for its queue; the image goes with the last picture showing it.
    ASSERT_EQ(ThePictureList.Pictures.size(), 1u);
    EXPECT_EQ(ThePictureList.Count, 1);
    EXPECT_EQ(PictureAt(1).Erased, 1);
    EXPECT_EQ(PictureAt(1).Hidden, 1);
    EXPECT_TRUE(ThePictureImageCache.entries.empty());
    EXPECT_EQ(ThePictureList.GetPictureInfo(1, 9), 0);
}

TEST_F(PictureUpdate, AnEraseFadeHoldsTheEffectsAndTheTransition) {
    Show(0, Image(0, 0, 20));
    StartPictureEffect(PictureAt(0), 3, 4, 2, 3, 5);
    StartPictureEffect(PictureAt(0), 0, 50, 0, 0, 10);
    Updates(2);
    game::Picture& picture = PictureAt(0);
    EXPECT_EQ(picture.ShakePhase, 8);
    ErasePictures(ThePictureList, 0, 0, 6, 0, kNeutralColour);
    Updates(3);
    EXPECT_EQ(picture.ShakePhase, 8);
    EXPECT_EQ(picture.ShakeCount, 3);
    EXPECT_EQ(picture.FlashRemaining, 8);
    EXPECT_EQ(picture.Remaining, 3);
    EXPECT_EQ(picture.Erased, 0);
}

TEST_F(PictureUpdate, AShakeSwingsItsCountOfHalfSwings) {
    Show(0, Image(0));
    StartPictureEffect(PictureAt(0), 3, 4, 2, 2, 3);
    const game::Picture& picture = PictureAt(0);
    EXPECT_EQ(picture.ShakePhase, 6);
    Updates(5);
    EXPECT_EQ(picture.ShakeCount, 2);
    EXPECT_EQ(picture.ShakePhase, 1);
    Updates(1);
    EXPECT_EQ(picture.ShakeCount, 1);
    EXPECT_EQ(picture.ShakePhase, 6);
    Updates(6);
    EXPECT_EQ(picture.ShakeCount, 0);
    // A half period below 1 counts as 1.
    StartPictureEffect(PictureAt(0), 3, 4, 2, 1, 0);
    EXPECT_EQ(picture.ShakePhase, 2);
}

TEST_F(PictureUpdate, EffectColoursAreClampedToTheirRange) {
    Show(0, Image(0));
    game::Picture& picture = PictureAt(0);
    StartPictureEffect(picture, 0, 150, -150, 20, 10);
    EXPECT_EQ(picture.FlashColour, PackColour({200, 0, 120}));
    EXPECT_EQ(picture.FlashRemaining, 10);
    StartPictureEffect(picture, 1, 2000000000, -2000000000, 0, 4);
    EXPECT_EQ(picture.EffectColour, PackColour({200, 0, 100}));
    // Kinds outside 0 to 4 do nothing.
    const game::Picture before = picture;
    StartPictureEffect(picture, 5, 1, 1, 1, 1);
    StartPictureEffect(picture, -1, 1, 1, 1, 1);
    EXPECT_EQ(picture.FlashColour, before.FlashColour);
    EXPECT_EQ(picture.EffectColour, before.EffectColour);
}

TEST_F(PictureUpdate, ASecondColourChangeStartsWhereTheFirstHasGot) {
    Show(0, Image(0));
    game::Picture& picture = PictureAt(0);
    StartPictureEffect(picture, 1, 100, -100, 0, 10);
    Updates(5);
    StartPictureEffect(picture, 1, 0, 0, 0, 4);
    EXPECT_EQ(picture.EffectStartColour, PackColour({150, 50, 100}));
    EXPECT_EQ(picture.EffectColour, kNeutralColour);
    EXPECT_EQ(picture.EffectColourRemaining, 4);
}

TEST_F(PictureUpdate, AZoomFromNoZoomJumpsItsCentreARunningOneMovesIt) {
    Show(0, Image(0));
    game::Picture& picture = PictureAt(0);
    StartPictureEffect(picture, 4, 100, 200, 300, 10);
    EXPECT_EQ(picture.StartZoomCentreX, 100);
    EXPECT_EQ(picture.StartZoomCentreY, 200);
    EXPECT_EQ(picture.StartEffectZoom, 100);
    Updates(5);
    StartPictureEffect(picture, 4, 300, 0, 100, 10);
    EXPECT_EQ(picture.StartEffectZoom, 200);
    EXPECT_EQ(picture.StartZoomCentreX, 100);
    EXPECT_EQ(picture.ZoomCentreX, 300);
    Updates(10);
    EXPECT_EQ(picture.StartEffectZoom, 100);
}

TEST_F(PictureUpdate, AnOffsetChainsFromWhereItStands) {
    Show(0, Image(0));
    game::Picture& picture = PictureAt(0);
    ApplyPictureEffect(ThePictureList, -5, 5, 2, 40, -20, 0, 4);
    Updates(2);
    ApplyPictureEffect(ThePictureList, 0, 0, 2, 0, 0, 0, 0);
    EXPECT_EQ(picture.EffectStartOffsetX, 20);
    EXPECT_EQ(picture.EffectStartOffsetY, -10);
    EXPECT_EQ(picture.EffectOffsetDuration, 0);
}

}  // namespace
}  // namespace game
