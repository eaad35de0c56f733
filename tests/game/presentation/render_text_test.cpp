// The coded-text renderer on the fake layer: control codes, lines, waits, icons and ruby.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/core/display_scale.h"
#include "game/core/game_info.h"
#include "game/core/play_settings.h"
#include "game/core/screen_state.h"
#include "game/interpreter/main_interpreter.h"
#include "game/presentation/render_text.h"
#include "game/presentation/text_resources.h"
#include "game/presentation/text_state.h"
#include "tests/game/presentation/text_fixture.h"

namespace {

using test::Code;
using test::Code256;
using test::Grey;
using test::kAdvance;
using test::LayerLog;

class RenderTextTest : public test::TextTest {
  protected:
    // Lays the text out and draws it whole.
    game::TextState Shown(const std::string& source) {
        game::TextState text(0, 0);
        text.ShowAtOnce = 1;
        text.SourceText = source;
        game::RenderText(text, 0, 1.0, 1.0);
        game::RenderText(text, 1, 1.0, 1.0);
        return text;
    }
};

struct ColourCase {
    int records;
    int code;
    int expected;
};

TEST_F(RenderTextTest, ColourCodesStopAtTheLastRecordAndNoRecordsMeanWhite) {
    const ColourCase cases[] = {
        {14, 3, Grey(3)}, {14, 20, Grey(13)}, {3, 2, Grey(2)}, {3, 9, Grey(2)}, {0, 4, 0xFFFFFF},
    };
    for (const ColourCase& c : cases) {
        test::SetColourRecords(test::GreyColours(c.records));
        LayerLog().prints.clear();
        Shown(Code(2, {c.code / 112, c.code % 112}) + "a");
        ASSERT_EQ(LayerLog().prints.size(), 1u);
        EXPECT_EQ(LayerLog().prints[0].colour, c.expected) << c.records << " " << c.code;
    }
}

TEST_F(RenderTextTest, RubyOnAShortColourTableUsesTheLastColour) {
    test::SetColourRecords(test::GreyColours(3));
    Shown(Code(9) + "A,x]");
    ASSERT_EQ(LayerLog().prints.size(), 2u);
    EXPECT_EQ(LayerLog().prints[1].colour, Grey(2));
}

struct HeightCase {
    const char* name;
    std::string text;
    int lineHeight;
};

TEST_F(RenderTextTest, SizeCodesRaiseTheLineAndTheHeightCodeSetsIt) {
    const HeightCase cases[] = {
        {"smaller size keeps the taller line", "a" + Code(3, {10}) + "b", 22},
        {"larger size raises it", "a" + Code(3, {30}) + "b", 30},
        {"height code lowers it", "a" + Code(4, {5}) + "b", 22},
        {"height code then a small size", "a" + Code(4, {5}) + Code(3, {10}) + "b", 10},
    };
    for (const HeightCase& c : cases) {
        const game::TextState text = Shown(c.text);
        ASSERT_EQ(text.LineHeights.size(), 1u) << c.name;
        EXPECT_EQ(text.LineHeights[0], c.lineHeight) << c.name;
    }
}

TEST_F(RenderTextTest, AKeyWaitStopsTheDrawOnceAndIsPassedAfterTheOwnerClearsIt) {
    game::TextState text = Shown("ab" + Code(15) + "cd");
    EXPECT_EQ(LayerLog().PrintedText(), "ab");
    EXPECT_EQ(text.KeyWaitReached, 1);
    text.KeyWaitReached = 0;
    LayerLog().prints.clear();
    game::RenderText(text, 1, 1.0, 1.0);
    EXPECT_EQ(LayerLog().PrintedText(), "abcd");
    EXPECT_EQ(text.KeyWaitReached, 0);
}

TEST_F(RenderTextTest, ATimedWaitHoldsSixteenFramesAndFiresOnce) {
    for (int framesPerUpdate : {1, 2}) {
        game::FramesPerUpdate = framesPerUpdate;
        game::TextState text = Shown("a" + Code(14) + "b");
        int updates = 0;
        while (LayerLog().PrintedText().find('b') == std::string::npos && updates < 40) {
            text.AdvanceText();
            ++updates;
            LayerLog().prints.clear();
            game::RenderText(text, 1, 1.0, 1.0);
        }
        EXPECT_EQ(updates, 16 / framesPerUpdate) << framesPerUpdate;
        EXPECT_EQ(text.TextWaitFrames, 0);
        LayerLog().prints.clear();
    }
}

TEST_F(RenderTextTest, SpeedCodeZeroTakesTheStringPictureSpeed) {
    const game::TextState text = Shown(Code256(12, 0) + "a");
    EXPECT_EQ(text.Speed, 1000000.0);
    const game::TextState slow = Shown(Code256(12, 300) + "a");
    EXPECT_EQ(slow.Speed, 300.0);
}

TEST_F(RenderTextTest, MeasurePassesIgnoreWaitsSpeedAndCloseCodes) {
    game::TextState text(0, 0);
    text.SourceText = "a" + Code(15) + Code(14) + Code(16) + Code256(12, 3) + "\nb";
    game::RenderText(text, 0, 1.0, 1.0);
    EXPECT_EQ(text.KeyWaitReached, 0);
    EXPECT_EQ(text.TextWaitFrames, 0);
    EXPECT_EQ(text.CloseWithoutKey, 0);
    EXPECT_EQ(text.Speed, 240.0);
    EXPECT_EQ(text.LineTops.size(), 2u);
}

TEST_F(RenderTextTest, RevealAllShowsTheTextInTheFrameItIsReached) {
    game::TextState text(0, 0);
    text.Speed = 30.0;
    text.SourceText = Code(10) + "abc" + Code(11) + "defgh";
    game::RenderText(text, 0, 1.0, 1.0);
    text.AdvanceText();
    game::RenderText(text, 1, 1.0, 1.0);
    // Past code 11 the reveal goes on from the bytes shown.
    EXPECT_EQ(LayerLog().PrintedText(), "abcd");
}

TEST_F(RenderTextTest, WideRubyIsCentredAndNarrowRubySpreadOverItsBase) {
    Shown(Code(9) + "AB,xy]");
    std::vector<int> narrow;
    for (const auto& print : LayerLog().prints)
        narrow.push_back(print.x);
    // Base A, B; then x and y, each over half of the 20-pixel base.
    EXPECT_EQ(narrow, (std::vector<int>{0, 10, 0, 10}));
    EXPECT_EQ(LayerLog().prints[2].y, 22 - 22 - 10);
    LayerLog().prints.clear();
    Shown(Code(9) + "A,xyz]");
    ASSERT_EQ(LayerLog().prints.size(), 2u);
    EXPECT_EQ(LayerLog().prints[1].text, "xyz");
    EXPECT_EQ(LayerLog().prints[1].x, 5 - 15);
}

TEST_F(RenderTextTest, AnEmptyRubyTextDrawsNothingAboveItsBase) {
    const game::TextState text = Shown(Code(9) + "AB,]c");
    EXPECT_EQ(LayerLog().PrintedText(), "ABc");
    EXPECT_EQ(text.PenX, 3 * kAdvance);
}

TEST_F(RenderTextTest, AnIconOutsideTheListCostsTwoBytesAndDrawsNothing) {
    game::TheTextResources.IconHandles = {0, 77};
    for (int number : {1000, 0, 2}) {
        game::TextState text(0, 0);
        text.SourceText = Code256(22, number) + "a";
        game::RenderText(text, 0, 1.0, 1.0);
        text.Progress = 2.0;
        game::RenderText(text, 1, 1.0, 1.0);
        EXPECT_TRUE(LayerLog().prints.empty()) << number;
        text.Progress = 3.0;
        game::RenderText(text, 1, 1.0, 1.0);
        EXPECT_EQ(LayerLog().PrintedText(), "a") << number;
        EXPECT_TRUE(LayerLog().paints.empty()) << number;
        LayerLog().prints.clear();
    }
}

TEST_F(RenderTextTest, AnIconSitsOnTheLineBottomAndWidensIt) {
    game::TheTextResources.IconHandles = {0, 77};
    game::TheTextResources.IconWidths = {0, 24};
    game::TheTextResources.IconHeights = {0, 30};
    const game::TextState text = Shown("a" + Code256(22, 1) + "b");
    ASSERT_EQ(LayerLog().paints.size(), 1u);
    const auto& paint = LayerLog().paints[0];
    EXPECT_EQ(paint.graph, 77);
    EXPECT_EQ(paint.x1, kAdvance);
    EXPECT_EQ(paint.y1, 0);
    EXPECT_EQ(paint.x2, kAdvance + 24);
    EXPECT_EQ(paint.y2, 30);
    EXPECT_EQ(LayerLog().prints[1].x, kAdvance + 24);
    EXPECT_EQ(LayerLog().prints[1].y, 30 - 22);
    EXPECT_EQ(text.LineHeights[0], 30);
}

TEST_F(RenderTextTest, AnEmptyChoiceLineKeepsHeightZero) {
    game::TheScreenState.choiceCount = 3;
    game::TextState text(0, 0);
    text.ChoiceLayout = 1;
    text.SourceText = "a\n\nb\n";
    game::RenderText(text, 0, 1.0, 1.0);
    EXPECT_EQ(text.LineHeights, (std::vector<int>{22, 0, 22}));
    // The empty item records nothing: its top stays 0 and the next item starts without spacing.
    EXPECT_EQ(text.LineTops, (std::vector<int>{0, 0, 28}));
}

TEST_F(RenderTextTest, AFailedDrawIsReportedOncePerLayout) {
    LayerLog().printResult = -1;
    game::TextState text = Shown("ab");
    game::RenderText(text, 1, 1.0, 1.0);
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_EQ(Errors()[0].line1, "Can't Draw Message.");
    EXPECT_EQ(Errors()[0].line2, "ab");
    EXPECT_EQ(LayerLog().prints.size(), 4u);
    text.SourceText = "cd";
    game::RenderText(text, 1, 1.0, 1.0);
    EXPECT_EQ(Errors().size(), 2u);
}

struct TileCase {
    int tileSize;
    int zoom;
    int fontSize;
    int secondLineY;
    int secondLineTop;
};

// Pen positions are pixels while line heights and sizes are logical: they agree only at
// 32-pixel tiles.
TEST_F(RenderTextTest, LinesAtBothTileSizes) {
    const TileCase cases[] = {{32, 1, 22, 28, 28}, {16, 2, 12, 30, 15}};
    for (const TileCase& c : cases) {
        game::TileSize = c.tileSize;
        game::ZoomFactor = c.zoom;
        game::TheGameInfo.gameFlags[0] = static_cast<std::int8_t>(c.tileSize);
        game::TheMainInterpreter.DefaultFontSize = c.fontSize;
        LayerLog().prints.clear();
        LayerLog().fonts.clear();
        const game::TextState text = Shown("a\nb");
        ASSERT_EQ(LayerLog().prints.size(), 2u);
        EXPECT_EQ(LayerLog().prints[1].y, c.secondLineY) << c.tileSize;
        EXPECT_EQ(text.LineTops[1], c.secondLineTop) << c.tileSize;
        EXPECT_EQ(LayerLog().fonts.back().size, c.fontSize * c.zoom) << c.tileSize;
    }
}

TEST_F(RenderTextTest, AnIconAtSixteenPixelTilesIsDrawnAtTwiceItsSize) {
    game::TileSize = 16;
    game::ZoomFactor = 2;
    game::TheGameInfo.gameFlags[0] = 16;
    game::TheMainInterpreter.DefaultFontSize = 12;
    game::TheTextResources.IconHandles = {0, 77};
    game::TheTextResources.IconWidths = {0, 12};
    game::TheTextResources.IconHeights = {0, 12};
    Shown(Code256(22, 1));
    ASSERT_EQ(LayerLog().paints.size(), 1u);
    const auto& paint = LayerLog().paints[0];
    EXPECT_EQ(paint.x2 - paint.x1, 24);
    EXPECT_EQ(paint.y2 - paint.y1, 24);
}

TEST_F(RenderTextTest, BrokenCodedTextEndsWithoutReadingPastItsEnd) {
    const std::string cases[] = {
        "a\x81", "ab" + Code(9) + "cd", "a" + Code(9) + "b,c",  "a" + Code(23) + "pic",
        "a\x01", "a\x01\x02\x10",       std::string("a\0b", 3),
    };
    for (const std::string& source : cases) {
        game::TextState text = Shown(source);
        EXPECT_TRUE(text.IsTextShown());
    }
}

}  // namespace

TEST(VisibleText, KeepsWhatTheTextShowsAndLeavesTheCodesOut) {
    const std::string table = "\x95\x5C";  // "表": its second byte is a backslash
    struct Case {
        const char* label;
        std::string coded;
        std::string visible;
    };
    const Case cases[] = {
        {"plain lines", "ab\r\ncd", "ab\ncd"},
        {"colour, size and key wait", "a" + Code(2, {0, 1}) + Code(3, {26}) + "b" + Code(15), "ab"},
        {"escaped backslash", Code(1) + table, "\\" + table},
        {"ruby shows its base", Code(9) + table + ",ruby]x", table + "x"},
        {"icon and inline image", Code256(22, 1) + "a" + Code(23) + "Pic\\x.png]b", "ab"},
        {"broken ends", "a" + Code(9) + "b,c", "ab"},
        {"a code at the very end", "a\x01", "a"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(game::VisibleText(c.coded), c.visible) << c.label;
}
