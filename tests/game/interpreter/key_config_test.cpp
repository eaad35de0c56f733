#include "game/interpreter/key_config.h"

#include <gtest/gtest.h>

#include <string>

#include "game/core/input_state.h"
#include "game/interpreter/main_interpreter.h"
#include "tests/support/sjis.h"

namespace {

using game::MainInterpreter;

TEST(KeyConfig, TakingAnotherActionsKeySwapsThem) {
    MainInterpreter interpreter;
    game::SetKeyConfig(145, 0, true, interpreter);
    EXPECT_EQ(interpreter.ConfirmKey, 145);
    EXPECT_EQ(interpreter.CancelKey, 144);
    EXPECT_EQ(interpreter.SubKey, 146);

    game::SetKeyConfig(130, 2, true, interpreter);
    EXPECT_EQ(interpreter.SubKey, 130);
    EXPECT_EQ(interpreter.ConfirmKey, 145);
}

TEST(KeyConfig, PadCodesAreStoredAsBitsAndSwapLikeKeys) {
    MainInterpreter interpreter;
    game::SetKeyConfig(302, 0, false, interpreter);
    EXPECT_EQ(interpreter.ConfirmPadMask, 32);
    EXPECT_EQ(interpreter.CancelPadMask, 16);
    EXPECT_EQ(game::GetKeyConfig(0, false, interpreter), 302);
    EXPECT_EQ(game::GetKeyConfig(1, false, interpreter), 301);

    game::SetKeyConfig(315, 2, false, interpreter);
    EXPECT_EQ(interpreter.SubPadMask, 0x40000);
    EXPECT_EQ(game::GetKeyConfig(2, false, interpreter), 315);
    game::SetKeyConfig(7, 2, false, interpreter);
    EXPECT_EQ(interpreter.SubPadMask, 7);
    EXPECT_EQ(game::GetKeyConfig(2, false, interpreter), 0);
}

TEST(KeyConfig, ActionsOutsideTheThreeChangeAndGiveNothing) {
    MainInterpreter interpreter;
    for (const int action : {-1, 3, 1000}) {
        game::SetKeyConfig(150, action, true, interpreter);
        EXPECT_EQ(game::GetKeyConfig(action, true, interpreter), 0);
    }
    EXPECT_EQ(interpreter.ConfirmKey, 144);
    EXPECT_EQ(interpreter.CancelKey, 145);
    EXPECT_EQ(interpreter.SubKey, 146);
}

TEST(KeyNames, KeysHaveTheirDisplayNames) {
    struct NameCase {
        int code;
        std::string name;
    };
    for (const NameCase& key :
         {NameCase{2, "1"}, NameCase{10, "9"}, NameCase{11, "0"}, NameCase{1, "ESC"},
          NameCase{44, "Z"}, NameCase{57, "SPACE"}, NameCase{68, "F10"}, NameCase{43, "\\"},
          NameCase{29, test::Sjis(u8"左Ctrl")}, NameCase{200, test::Sjis(u8"↑")},
          NameCase{146, test::Sjis(u8"：")}, NameCase{211, "DEL"}, NameCase{0, ""},
          NameCase{55, ""}, NameCase{255, ""}, NameCase{-3, ""}}) {
        std::string text = "old";
        game::GetKeyNameText(text, key.code);
        EXPECT_EQ(text, key.name) << key.code;
    }
}

TEST(KeyNames, ActionNamesComeFromTheConfiguration) {
    game::TheMainInterpreter = MainInterpreter{};
    std::string text;
    game::GetKeyName(text, 1, true);
    EXPECT_EQ(text, "X");
    game::GetKeyName(text, 2, false);
    EXPECT_EQ(text, test::Sjis(u8"ボタン3"));
    game::SetKeyConfig(315, 0, false);
    game::GetKeyName(text, 0, false);
    EXPECT_EQ(text, test::Sjis(u8"ボタン15"));
    game::GetKeyName(text, 5, true);
    EXPECT_EQ(text, "");
    game::TheMainInterpreter = MainInterpreter{};
}

class KeyboardPoll : public testing::Test {
  protected:
    void SetUp() override { game::TheInputState.keys.fill(0); }
    void TearDown() override { game::TheInputState.keys.fill(0); }
    static void Hold(int key, bool held = true) { game::TheInputState.keys[key] = held ? 1 : 0; }
};

TEST_F(KeyboardPoll, RightCtrlReportsItsCode) {
    int remembered = 0;
    Hold(157);
    EXPECT_EQ(game::PollKeyboardCode(false, false, remembered, 0), 257);
}

TEST_F(KeyboardPoll, OneKeyIsAskedByItsCode) {
    int remembered = 9;
    Hold(200);
    EXPECT_EQ(game::PollKeyboardCode(false, false, remembered, 300), 300);
    EXPECT_EQ(game::PollKeyboardCode(false, false, remembered, 301), 0);
    EXPECT_EQ(remembered, 9);
}

TEST_F(KeyboardPoll, ScanSkipsTheGamesOwnKeys) {
    int remembered = 0;
    for (const int key : {1, 14, 28, 42, 54, 57, 58, 125, 200}) {
        Hold(key);
    }
    EXPECT_EQ(game::PollKeyboardCode(false, false, remembered, 0), 0);
    Hold(30);
    EXPECT_EQ(game::PollKeyboardCode(false, false, remembered, 0), 130);
}

TEST_F(KeyboardPoll, KeyHeldWhenTheWaitBeganIsIgnored) {
    int remembered = 0;
    Hold(30);
    EXPECT_EQ(game::PollKeyboardCode(true, true, remembered, 0), 130);
    EXPECT_EQ(remembered, 30);
    EXPECT_EQ(game::PollKeyboardCode(false, true, remembered, 0), 0);
    Hold(30, false);
    EXPECT_EQ(game::PollKeyboardCode(false, true, remembered, 0), 0);
    EXPECT_EQ(remembered, 0);
    Hold(30);
    EXPECT_EQ(game::PollKeyboardCode(false, true, remembered, 0), 130);
}

TEST(PadPoll, ButtonsAreAskedOneByOneOrScanned) {
    struct PadCase {
        int bits;
        int code;
        int answer;
    };
    for (const PadCase pad :
         {PadCase{0x20, 302, 302}, PadCase{0x20, 301, 0}, PadCase{0x40000, 0, 315},
          PadCase{0x30, 0, 301}, PadCase{0x20, 300, 0}, PadCase{0x20, 316, 0},
          PadCase{0x20, 320, 0}, PadCase{0x0F, 0, 0}}) {
        int remembered = 0;
        EXPECT_EQ(game::MatchPadCode(pad.bits, false, false, remembered, pad.code), pad.answer)
            << pad.bits << " " << pad.code;
    }
}

TEST(PadPoll, ButtonHeldWhenTheWaitBeganIsIgnored) {
    int remembered = 0;
    EXPECT_EQ(game::MatchPadCode(0x10, true, true, remembered, 0), 301);
    EXPECT_EQ(remembered, 301);
    EXPECT_EQ(game::MatchPadCode(0x10, false, true, remembered, 0), 0);
    EXPECT_EQ(game::MatchPadCode(0, false, true, remembered, 0), 0);
    EXPECT_EQ(remembered, 0);
    EXPECT_EQ(game::MatchPadCode(0x10, false, true, remembered, 0), 301);
}

}  // namespace
