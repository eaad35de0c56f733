// The message window with scripted input: opening delay, key waits, closing, a following
// choice, a display restore and the page cursor's place.
#include <gtest/gtest.h>

#include <string>

#include "game/core/screen_state.h"
#include "game/interpreter/main_interpreter.h"
#include "tests/game/presentation/window_fixture.h"
#include "tests/support/joined.h"

namespace {

using test::Code;
using test::Key;
using test::LayerLog;

class MessageWindowTest : public test::WindowTest {
  protected:
    game::MessageWindow message_;
    game::ChoiceWindow choice_;
};

TEST_F(MessageWindowTest, WithDelayOneTheTextAppearsTwoUpdatesAfterOpening) {
    ShowMessage("ab");
    Step(message_, choice_);
    EXPECT_EQ(message_.IsOpen, 1);
    EXPECT_EQ(game::TheScreenState.windowBusy, 1);
    EXPECT_TRUE(LayerLog().prints.empty());
    Step(message_, choice_);
    EXPECT_TRUE(LayerLog().prints.empty());
    Step(message_, choice_);
    EXPECT_EQ(LayerLog().PrintedText(), "ab");
    EXPECT_EQ(LayerLog().prints[0].x, 16);
    EXPECT_EQ(LayerLog().prints[0].y, 304);
}

struct ResumeCase {
    Key key;
    int mouseControl;
    bool resumes;
};

TEST_F(MessageWindowTest, AKeyWaitResumesOnConfirmCancelOrAClickWhenTheMouseWorks) {
    const ResumeCase cases[] = {{Key::kConfirm, 0, true},
                                {Key::kCancel, 0, true},
                                {Key::kClick, 1, true},
                                {Key::kClick, 0, false},
                                {Key::kLeft, 0, false}};
    for (const ResumeCase& c : cases) {
        game::MessageWindow message;
        game::TheMainInterpreter.MouseWindowControl = c.mouseControl;
        ShowMessage(test::Joined({"a", Code(15), "b"}));
        for (int update = 0; update < 4; ++update)
            Step(message, choice_);
        ASSERT_EQ(message.TextLayout.KeyWaitReached, 1);
        EXPECT_EQ(message.PageCursorShown, 1);
        EXPECT_EQ(LayerLog().PrintedText(), "a");
        Step(message, choice_, c.key);
        Step(message, choice_);
        EXPECT_EQ(LayerLog().PrintedText() == "ab", c.resumes) << static_cast<int>(c.key);
        EXPECT_EQ(message.IsOpen, 1);
        game::CloseMessageWindow(message);
    }
}

TEST_F(MessageWindowTest, KeysDoNothingWhileTheTextIsRevealed) {
    game::TheMainInterpreter.MessageSpeed = 30;
    ShowMessage("abcdef");
    Step(message_, choice_);
    Step(message_, choice_);
    Step(message_, choice_, Key::kConfirm);
    Step(message_, choice_, Key::kConfirm);
    EXPECT_EQ(LayerLog().PrintedText(), "ab");
    EXPECT_EQ(message_.IsOpen, 1);
    EXPECT_TRUE(interpreter_.messageWait);
}

TEST_F(MessageWindowTest, APageEndsOnAKeyAndReleasesTheInterpreter) {
    ShowMessage("ab");
    for (int update = 0; update < 3; ++update)
        Step(message_, choice_);
    EXPECT_EQ(game::TheScreenState.choiceSeen, 1);
    EXPECT_TRUE(interpreter_.messageWait);
    Step(message_, choice_, Key::kConfirm);
    EXPECT_EQ(message_.IsOpen, 0);
    EXPECT_FALSE(interpreter_.messageWait);
    EXPECT_TRUE(game::TheScreenState.messageText.empty());
    EXPECT_EQ(game::TheScreenState.windowBusy, 0);
}

TEST_F(MessageWindowTest, CloseWithoutKeyClosesOnceItIsDrawn) {
    ShowMessage("ab" + Code(16));
    for (int update = 0; update < 3; ++update)
        Step(message_, choice_);
    EXPECT_EQ(message_.TextLayout.CloseWithoutKey, 1);
    Step(message_, choice_);
    EXPECT_EQ(message_.IsOpen, 0);
    EXPECT_FALSE(interpreter_.messageWait);
}

TEST_F(MessageWindowTest, ACloseRequestClosesAtTheNextUpdate) {
    ShowMessage("abc");
    Step(message_, choice_);
    Step(message_, choice_);
    game::TheScreenState.messageHold = 1;
    Step(message_, choice_);
    EXPECT_EQ(message_.IsOpen, 0);
    EXPECT_EQ(game::TheScreenState.messageHold, 0);
}

TEST_F(MessageWindowTest, AMessageFollowedByAChoiceClosesAfterTheChoice) {
    game::TheMainInterpreter.MessageSpeed = 60;
    ShowMessage("abcd");
    game::TheScreenState.messageOpen = 1;
    ShowChoice("yes\nno\n", 2);
    for (int update = 0; update < 3; ++update) {
        Step(message_, choice_, Key::kConfirm);
        EXPECT_EQ(choice_.IsOpen, 0) << update;
    }
    // The page is complete: the choice opens, the message keeps its text without a cursor.
    Step(message_, choice_);
    Step(message_, choice_);
    EXPECT_EQ(choice_.IsOpen, 1);
    EXPECT_EQ(message_.PageCursorShown, 0);
    Step(message_, choice_);
    EXPECT_EQ(LayerLog().PrintedText(), "abcdyesno");
    Step(message_, choice_, Key::kDown);
    Step(message_, choice_, Key::kConfirm);
    EXPECT_EQ(choice_.IsOpen, 0);
    EXPECT_EQ(interpreter_.BranchResult(0), 3);
    EXPECT_EQ(message_.IsOpen, 0);
    EXPECT_EQ(game::TheScreenState.messageActive, 0);
}

TEST_F(MessageWindowTest, WithAutoConfirmAPagePrintsItsTextAndPassesItsWaitsAndItsEnd) {
    const test::AutoConfirmScope confirmed(true);
    testing::internal::CaptureStderr();
    ShowMessage(test::Joined({"a", Code(2, {0, 1}), "b", Code(15), "\n", Code(1), "c"}));
    int updates = 0;
    while (message_.IsOpen == 0 && updates < 10) {
        Step(message_, choice_);
        ++updates;
    }
    while (message_.IsOpen != 0 && updates < 10) {
        Step(message_, choice_);
        ++updates;
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "ab\n\\c\n");
    EXPECT_EQ(message_.IsOpen, 0);
    EXPECT_FALSE(interpreter_.messageWait);
}

TEST_F(MessageWindowTest, WithAutoConfirmAMessageAndItsChoiceGoOnWithTheFirstItem) {
    const test::AutoConfirmScope confirmed(true);
    testing::internal::CaptureStderr();
    ShowMessage("which?");
    game::TheScreenState.messageOpen = 1;
    ShowChoice("yes\nno\n", 2);
    for (int update = 0; update < 20 && interpreter_.messageWait; ++update)
        Step(message_, choice_);
    Step(message_, choice_);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "which?\n> yes\n  no\n");
    EXPECT_FALSE(interpreter_.messageWait);
    EXPECT_EQ(interpreter_.BranchResult(0), 2);
    EXPECT_EQ(choice_.IsOpen, 0);
    EXPECT_EQ(message_.IsOpen, 0);
}

TEST_F(MessageWindowTest, ADisplayRestoreShowsTheMessageAgainFromItsStart) {
    game::TheMainInterpreter.MessageSpeed = 30;
    ShowMessage("abcdef");
    for (int update = 0; update < 5; ++update)
        Step(message_, choice_);
    EXPECT_EQ(LayerLog().PrintedText(), "abc");
    game::LoadMessageWaitCursor(message_);
    EXPECT_EQ(message_.IsOpen, 0);
    for (int update = 0; update < 3; ++update)
        Step(message_, choice_);
    EXPECT_EQ(message_.IsOpen, 1);
    EXPECT_EQ(LayerLog().PrintedText(), "a");
}

// A message window whose page cursor (graph 7, 16 pixels wide) is loaded and shown.
game::MessageWindow ShownCursor(int height, int cells) {
    game::MessageWindow message;
    message.CursorLoaded = 1;
    message.CursorGraph = 7;
    message.CursorWidth = 16;
    message.CursorHeight = height;
    message.CursorCells = cells;
    message.PageCursorShown = 1;
    return message;
}

struct CursorCase {
    int windowY;
    int offset;
    int top;
};

TEST_F(MessageWindowTest, ThePageCursorSitsBelowASetPositionWithinTheScreen) {
    const CursorCase cases[] = {{-1, 137, 454}, {100, 137, 237}, {400, 137, 464}, {-200, 137, 0}};
    for (const CursorCase& c : cases) {
        game::TheMainInterpreter.MessageWindowY = c.windowY;
        game::TheMainInterpreter.PageCursorOffsetY = static_cast<std::int16_t>(c.offset);
        game::MessageWindow message = ShownCursor(32, 2);
        message.CursorAnimCounter = 6;
        LayerLog().parts.clear();
        game::DrawMessageWindow(message);
        ASSERT_EQ(LayerLog().parts.size(), 1u);
        const auto& part = LayerLog().parts[0];
        EXPECT_EQ(part.y, c.top) << c.windowY;
        EXPECT_EQ(part.x, 320 - 8);
        EXPECT_EQ(part.sourceY, 16);
        EXPECT_EQ(part.height, 16);
    }
}

struct DoubledCursorCase {
    int windowY;
    int top;
    int bottom;
};

// At zoom 2 the frame is stretched to twice its size; with a set position its bottom is twice
// the top plus twice the image height divided by the frames: a 50-pixel image of 4 frames
// reaches 25 below the top, not 24.
TEST_F(MessageWindowTest, TheDoubledPageCursorEndsByTheWholeImageHeight) {
    game::TileSize = 16;
    game::ZoomFactor = 2;
    const DoubledCursorCase cases[] = {{-1, 454, 454 + 24}, {100, 274, 274 + 25}};
    for (const DoubledCursorCase& c : cases) {
        game::TheMainInterpreter.MessageWindowY = c.windowY;
        game::TheMainInterpreter.PageCursorOffsetY = 37;
        game::MessageWindow message = ShownCursor(50, 4);
        LayerLog().paints.clear();
        game::DrawMessageWindow(message);
        ASSERT_EQ(LayerLog().paints.size(), 1u);
        const auto& paint = LayerLog().paints[0];
        EXPECT_EQ(paint.y1, c.top) << c.windowY;
        EXPECT_EQ(paint.y2, c.bottom) << c.windowY;
        EXPECT_EQ(paint.x2 - paint.x1, 32);
    }
}

TEST_F(MessageWindowTest, MissingWindowGraphicsDrawNoCursor) {
    test::SetWindowGraphics("Missing.png", 0, "", "", 1);
    game::MessageWindow message;
    EXPECT_EQ(message.CursorLoaded, 0);
    EXPECT_EQ(message.CursorCells, 1);
    ShowMessage("ab");
    for (int update = 0; update < 3; ++update)
        Step(message, choice_);
    EXPECT_TRUE(LayerLog().parts.empty());
    EXPECT_EQ(LayerLog().PrintedText(), "ab");
}

}  // namespace
