// Key-input texts drawn on the software back screen with the installed Japanese fonts: the main
// interpreter's in the colours of the system database, and those of an event page and of a
// parallel common event.
#include "game/program/key_input_drawing.h"

#include <gtest/gtest.h>

#include <string>

#include "game/interpreter/main_interpreter.h"
#include "game/interpreter/parallel_common_event.h"
#include "game/interpreter/run_interpreter.h"
#include "game/map/event_character.h"
#include "layer/core/ime.h"
#include "layer/core/layer_api.h"
#include "tests/game/core/game_screen_fixture.h"
#include "tests/game/presentation/text_fixture.h"
#include "tests/support/sjis.h"

namespace game {
namespace {

using test::Sjis;

constexpr std::uint32_t kGround = 0x28783C;

class KeyInputDrawing : public test::GameScreens {
  protected:
    void SetUp() override {
        test::GameScreens::SetUp();
        std::vector<std::array<int, 3>> colours(13, {200, 200, 200});
        colours[10] = {255, 230, 120};
        colours[11] = {120, 200, 255};
        colours[12] = {255, 90, 90};
        test::SetColourRecords(colours);
        TheMainInterpreter.KeyInputTextX = 20;
        TheMainInterpreter.KeyInputTextY = 16;
        layer::SetStandardFontFace(Sjis(u8"ＭＳ ゴシック").c_str(), -1);
        layer::SetStandardFontSize(16);
    }
    void TearDown() override {
        layer::DeleteTextInput(handle_);
        ResetTextColourTable();
        test::GameScreens::TearDown();
    }

    // An active input holding the text.
    int Input(const char8_t* text) {
        handle_ = layer::CreateTextInput(32, 0, 0, 0);
        layer::SetTextInputString(Sjis(text).c_str(), handle_);
        layer::ActivateTextInput(handle_);
        return handle_;
    }

    static bool Drawn() {
        for (int y = 16; y < 32; ++y) {
            for (int x = 20; x < 60; ++x) {
                if (BackPixel(x, y) != kGround)
                    return true;
            }
        }
        return false;
    }

    int handle_ = -1;
};

// Text, cursor and the composition's cursor in record 10, the composition's ground in record
// 11, its clause lines in record 12; the selected clause in record 10 too.
TEST_F(KeyInputDrawing, TheMainInterpretersTextTakesTheSystemDatabasesColours) {
    TheMainInterpreter.textInputHandle = Input(u8"ゆうしゃ");
    platform::Message composition;
    composition.kind = platform::MessageKind::kImeComposition;
    composition.text = Sjis(u8"なまえ");
    composition.cursor = 2;
    composition.selection_length = 2;
    layer::HandleImeMessage(composition);
    DrawKeyInputText(TheMainInterpreter);
    EXPECT_TRUE(test::MatchesGolden(Picture(layer::direct_draw.back_image, 200, 48),
                                    "game/program/key_input_text"));
}

TEST_F(KeyInputDrawing, AnEventPagesTextIsDrawn) {
    EventCharacter event;
    event.pageInterpreter.emplace_back();
    DrawEventKeyInput(event);
    EXPECT_FALSE(Drawn());
    event.pageInterpreter.front().textInputHandle = Input(u8"はい");
    DrawEventKeyInput(event);
    EXPECT_TRUE(Drawn());
}

TEST_F(KeyInputDrawing, AParallelCommonEventsTextIsDrawn) {
    ParallelCommonEvent parallel(0);
    DrawParallelKeyInput(parallel);
    EXPECT_FALSE(Drawn());
    parallel.interpreters.emplace_back();
    parallel.interpreters.front().textInputHandle = Input(u8"はい");
    DrawParallelKeyInput(parallel);
    EXPECT_TRUE(Drawn());
}

}  // namespace
}  // namespace game
