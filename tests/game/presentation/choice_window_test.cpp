// The choice window with scripted input: selection, skipped empty items, the initial cursor,
// cancelling, the exit keys and close requests, fades, the opening delay and the mouse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/core/display_scale.h"
#include "game/core/game_info.h"
#include "game/core/screen_state.h"
#include "game/interpreter/main_interpreter.h"
#include "tests/game/presentation/window_fixture.h"
#include "tests/support/joined.h"

namespace {

using test::Key;
using test::LayerLog;

class ChoiceWindowTest : public test::WindowTest {
  protected:
    // Opens the choice and runs the updates until it reacts to keys.
    void Open(const std::string& items, int count, int cancel = -1, int options = 0) {
        ShowChoice(items, count, cancel, options);
        for (int update = 0; update < 5; ++update)
            Step(message_, choice_);
        ASSERT_EQ(choice_.IsOpen, 1);
    }

    game::MessageWindow message_;
    game::ChoiceWindow choice_;
};

TEST_F(ChoiceWindowTest, AllItemsEmptyCloseAtTheFirstCompleteUpdate) {
    for (int options : {0, 4}) {
        game::TheScreenState.choiceCloseNow = 1;
        ShowChoice("\n\n", 2, -1, options);
        int updates = 0;
        while (choice_.IsOpen == 0 && updates < 10) {
            Step(message_, choice_);
            ++updates;
        }
        while (choice_.IsOpen != 0 && updates < 10) {
            Step(message_, choice_);
            ++updates;
        }
        EXPECT_EQ(updates, 6) << options;
        EXPECT_EQ(interpreter_.BranchResult(0), options == 4 ? 102 : 2) << options;
        EXPECT_EQ(game::TheScreenState.choiceCloseNow, 0);
    }
}

struct MoveCase {
    std::string items;
    int count;
    std::vector<Key> keys;
    int cursor;
};

TEST_F(ChoiceWindowTest, UpAndDownSkipEmptyItems) {
    const MoveCase cases[] = {
        {"a\nb\n\n", 3, {Key::kUp}, 1},
        {"a\n\nc\n", 3, {Key::kDown}, 2},
        {"a\n\nc\n", 3, {Key::kDown, Key::kDown}, 0},
        {"a\nb\nc\n", 3, {Key::kUp, Key::kUp}, 1},
    };
    for (const MoveCase& c : cases) {
        Open(c.items, c.count);
        for (Key key : c.keys)
            Step(message_, choice_, key);
        EXPECT_EQ(choice_.Cursor, c.cursor) << c.items;
        EXPECT_EQ(game::TheScreenState.lastChoiceResult, c.cursor) << c.items;
        game::CloseChoiceWindow(choice_);
        Step(message_, choice_);
    }
    EXPECT_EQ(QueuedEffects().size(), 6u);
}

TEST_F(ChoiceWindowTest, WithoutItemsTheKeysDoNothing) {
    Open("a\n", 0);
    Step(message_, choice_, Key::kUp);
    Step(message_, choice_, Key::kDown);
    EXPECT_EQ(choice_.Cursor, 0);
    EXPECT_TRUE(QueuedEffects().empty());
}

TEST_F(ChoiceWindowTest, TheInitialCursorIsClampedAndConsumed) {
    game::TheMainInterpreter.ChoiceInitialCursor = 7;
    Open("a\nb\nc\n", 3);
    EXPECT_EQ(choice_.Cursor, 2);
    EXPECT_EQ(game::TheMainInterpreter.ChoiceInitialCursor, 0);
    Step(message_, choice_, Key::kConfirm);
    EXPECT_EQ(interpreter_.BranchResult(0), 4);
    EXPECT_FALSE(interpreter_.messageWait);
}

struct ExitCase {
    Key key;
    int cancel;
    int options;
    int result;  // -1: the choice stays open
};

TEST_F(ChoiceWindowTest, CancelAndTheExitKeysCloseWithTheirResults) {
    game::TheMainInterpreter.MouseWindowControl = 1;
    game::TheMainInterpreter.ChoiceCancelSound = 5;
    const ExitCase cases[] = {
        {Key::kCancel, -1, 0, -1},   {Key::kCancel, 1, 0, 1 + 2}, {Key::kRightClick, -1, 0, -1},
        {Key::kRightClick, 0, 0, 2}, {Key::kLeft, -1, 1, 100},    {Key::kLeft, -1, 2, -1},
        {Key::kRight, -1, 2, 101},
    };
    for (const ExitCase& c : cases) {
        Open("a\nb\n", 2, c.cancel, c.options);
        interpreter_.SetBranchResult(0, -1);
        Step(message_, choice_, c.key, 0, 0);
        EXPECT_EQ(interpreter_.BranchResult(0), c.result) << static_cast<int>(c.key);
        EXPECT_EQ(choice_.IsOpen, c.result == -1 ? 1 : 0);
        if (c.result != -1) {
            ASSERT_FALSE(QueuedEffects().empty());
            EXPECT_EQ(QueuedEffects().back(), 5);
        }
        game::CloseChoiceWindow(choice_);
        Step(message_, choice_);
    }
}

TEST_F(ChoiceWindowTest, ACloseRequestGivesOneHundredWithItsOption) {
    for (int options : {0, 4}) {
        Open("a\nb\n", 2, -1, options);
        Step(message_, choice_, Key::kDown);
        game::TheScreenState.choiceCloseNow = 1;
        Step(message_, choice_);
        EXPECT_EQ(interpreter_.BranchResult(0), options == 4 ? 102 : 3);
    }
}

TEST_F(ChoiceWindowTest, WithAutoConfirmTheFirstSelectableItemIsTakenAndPrinted) {
    const test::AutoConfirmScope confirmed(true);
    game::TheMainInterpreter.ChoiceDecideSound = 3;
    game::TheMainInterpreter.ChoiceInitialCursor = 2;
    testing::internal::CaptureStderr();
    ShowChoice(test::Joined({"\n", test::Code(2, {0, 1}), "yes\nno\n"}), 3);
    interpreter_.SetBranchResult(0, -1);
    int updates = 0;
    while (interpreter_.BranchResult(0) == -1 && updates < 10) {
        Step(message_, choice_);
        ++updates;
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "  \n> yes\n  no\n");
    EXPECT_EQ(updates, 6);
    EXPECT_EQ(interpreter_.BranchResult(0), 1 + 2);
    EXPECT_EQ(choice_.IsOpen, 0);
    ASSERT_EQ(QueuedEffects().size(), 1u);
    EXPECT_EQ(QueuedEffects()[0], 3);
}

TEST_F(ChoiceWindowTest, ConfirmAndCancelInOneUpdateDeliverTheFirstClose) {
    game::TheMainInterpreter.ChoiceDecideSound = 3;
    game::TheMainInterpreter.ChoiceCancelSound = 4;
    Open("a\nb\n", 2, 1);
    game::TheInputState = test::Input(Key::kConfirm);
    game::TheInputState.cancelPressed = 1;
    game::UpdateChoiceWindow(choice_);
    EXPECT_EQ(interpreter_.BranchResult(0), 2);
    EXPECT_EQ(choice_.Cursor, 1);
    ASSERT_EQ(QueuedEffects().size(), 2u);
    EXPECT_EQ(QueuedEffects()[0], 3);
    EXPECT_EQ(QueuedEffects()[1], 4);
}

TEST_F(ChoiceWindowTest, FadeModesAndTheFasterDelayOnceOpaque) {
    game::TheMainInterpreter.ChoiceFadeMode = 1;
    ShowChoice("a\nb\n", 2);
    Step(message_, choice_);
    std::vector<int> alphas;
    for (int update = 0; update < 6; ++update) {
        Step(message_, choice_);
        alphas.push_back(choice_.Alpha);
    }
    // The delay of 4 counts down before the fade starts.
    EXPECT_EQ(alphas, (std::vector<int>{0, 0, 0, 0, 64, 128}));
    Step(message_, choice_);
    Step(message_, choice_);
    EXPECT_EQ(choice_.Alpha, 255);
    choice_.OpenDelay = 6;
    Step(message_, choice_);
    EXPECT_EQ(choice_.OpenDelay, 3);

    game::CloseChoiceWindow(choice_);
    Step(message_, choice_);
    game::TheMainInterpreter.ChoiceFadeMode = 0;
    Open("a\nb\n", 2);
    EXPECT_EQ(choice_.FadeOn, 0);
    EXPECT_EQ(choice_.Alpha, 0);
}

TEST_F(ChoiceWindowTest, NoReactionWhileAMessageIsRevealed) {
    game::TheMainInterpreter.MessageSpeed = 30;
    ShowMessage("abcdefgh");
    game::TheScreenState.messageOpen = 1;
    ShowChoice("a\nb\n", 2);
    for (int update = 0; update < 6; ++update) {
        Step(message_, choice_, Key::kConfirm);
        EXPECT_EQ(choice_.IsOpen, 0);
        EXPECT_EQ(game::TheScreenState.lastChoiceResult, -1);
    }
    EXPECT_TRUE(interpreter_.messageWait);
}

struct MouseCase {
    int tileSize;
    int zoom;
    int mouseY;
    int cursor;
};

TEST_F(ChoiceWindowTest, TheMouseSelectsTheItemUnderItAtBothTileSizes) {
    game::TheMainInterpreter.MouseWindowControl = 1;
    const MouseCase cases[] = {{32, 1, 0, 0}, {32, 1, 1, 1}, {16, 2, 0, 0}, {16, 2, 1, 1}};
    for (const MouseCase& c : cases) {
        game::TileSize = c.tileSize;
        game::ZoomFactor = c.zoom;
        game::TheGameInfo.gameFlags[0] = static_cast<std::int8_t>(c.tileSize);
        game::TheMainInterpreter.DefaultFontSize = c.tileSize == 32 ? 22 : 12;
        Open("a\nb\n", 2);
        const game::TextState& text = choice_.TextLayout;
        const int t = c.tileSize * 4 / 10;
        const int y = choice_.WindowY + text.LineTops[static_cast<std::size_t>(c.mouseY)] + t + 2;
        Step(message_, choice_, Key::kClick, choice_.WindowX + t, y);
        EXPECT_EQ(interpreter_.BranchResult(0), c.cursor + 2) << c.tileSize << " " << c.mouseY;
        Step(message_, choice_);
    }
}

TEST_F(ChoiceWindowTest, TheWindowIsSizedFromItsItemsAndCentred) {
    Open("ab\nabcd\n", 2);
    EXPECT_EQ(choice_.WindowWidth, 4 * test::kAdvance + 26);
    EXPECT_EQ(choice_.WindowHeight, 22 + 6 + 22 + 26);
    EXPECT_EQ(choice_.WindowX, 320 - choice_.WindowWidth / 2);
    EXPECT_EQ(choice_.WindowY, 170 - choice_.WindowHeight / 2);
    EXPECT_EQ(choice_.TextLayout.OriginX, choice_.WindowX + 12 + 2);
}

}  // namespace
