// The text state: reveal, the speed cap, the font-size clamp and measuring.
#include <gtest/gtest.h>

#include <string>

#include "game/presentation/text_state.h"
#include "tests/game/presentation/text_fixture.h"

namespace {

using test::Code;
using test::Code256;
using test::LayerLog;

class TextStateTest : public test::TextTest {};

TEST_F(TextStateTest, ShowAtOnceShowsTheWholeTextWithoutAnUpdate) {
    game::TextState text(0, 0);
    text.ShowAtOnce = 1;
    text.SourceText = "abc";
    game::RenderText(text, 0, 1.0, 1.0);
    game::RenderText(text, 1, 1.0, 1.0);
    EXPECT_EQ(LayerLog().PrintedText(), "abc");
    EXPECT_TRUE(text.IsTextShown());
    EXPECT_EQ(text.Progress, 1000000.0);
}

struct SpeedCapCase {
    std::string text;
    int framesPerUpdate;
    double expected;
};

TEST_F(TextStateTest, TheFirstSpeedCodeCapsTheSpeedUntilItIsReached) {
    const SpeedCapCase cases[] = {
        {Code256(12, 100) + "ab", 1, 30.0},
        {Code256(12, 100) + "ab", 2, 15.0},
        {"abcd" + Code256(12, 100), 1, 150.0},
        {std::string(20, 'a') + Code256(12, 9), 1, 240.0},
        {"abcd", 1, 240.0},
        {Code256(12, 100), 60, 1.0},
    };
    for (const SpeedCapCase& c : cases) {
        game::FramesPerUpdate = c.framesPerUpdate;
        game::TextState text(0, 0);
        text.SourceText = c.text;
        text.ResetText();
        EXPECT_EQ(text.Speed, c.expected) << c.text.size() << " bytes, " << c.framesPerUpdate;
    }
}

struct ClampCase {
    int tileSize;
    unsigned platformId;
    int size;
    int expected;
};

TEST_F(TextStateTest, FontSizesAreClampedPerTileSize) {
    const ClampCase cases[] = {
        {16, 2, 1, 2},   {16, 2, 200, 80}, {32, 2, 1, 7}, {32, 2, 200, 129},
        {32, 2, 22, 22}, {32, 1, 22, 21},  {16, 1, 4, 3}, {16, 1, 22, 22},
    };
    for (const ClampCase& c : cases) {
        game::TileSize = c.tileSize;
        game::TheScreenState.osVersion.platformId = c.platformId;
        EXPECT_EQ(game::ClampFontSize(c.size), c.expected)
            << c.tileSize << " " << c.platformId << " " << c.size;
    }
}

TEST_F(TextStateTest, AKeyWaitHoldsTheRevealButTimedWaitsStillCountDown) {
    game::FramesPerUpdate = 2;
    game::TextState text(0, 0);
    text.Progress = 5.0;
    text.KeyWaitReached = 1;
    text.TextWaitFrames = 5;
    text.AdvanceText();
    EXPECT_EQ(text.Progress, 5.0);
    EXPECT_EQ(text.TextWaitFrames, 3);
    text.KeyWaitReached = 0;
    text.TextWaitFrames = 0;
    text.Progress = 49999990.0;
    text.AdvanceText();
    EXPECT_EQ(text.Progress, 50000000.0);
    EXPECT_EQ(text.PreviousProgress, 49999990.0);
}

TEST_F(TextStateTest, MeasuringAnEmptySourceKeepsThePreviousLayout) {
    game::TextState text(0, 0);
    int width = -1;
    int height = -1;
    text.MeasureText(width, height);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
    text.SourceText = "ab\nc";
    text.MeasureText(width, height);
    EXPECT_EQ(width, 2 * test::kAdvance);
    EXPECT_EQ(height, 22 + 6 + 22);
    text.SourceText.clear();
    text.MeasureText(width, height);
    EXPECT_EQ(width, 2 * test::kAdvance);
    EXPECT_EQ(height, 50);
}

}  // namespace
