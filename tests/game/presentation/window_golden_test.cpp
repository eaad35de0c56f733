// Pictures of the two windows on the software back screen with the installed Japanese fonts,
// compared with golden pictures of our own output.
#include <gtest/gtest.h>

#include <string>

#include "game/core/display_scale.h"
#include "game/core/game_info.h"
#include "game/core/play_settings.h"
#include "game/core/screen_state.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/image_cache.h"
#include "game/presentation/choice_window.h"
#include "game/presentation/message_window.h"
#include "game/presentation/render_text.h"
#include "game/presentation/text_resources.h"
#include "game/presentation/window_closing.h"
#include "platform/fonts/fake_glyph_source.h"
#include "tests/game/core/report_capture.h"
#include "tests/game/presentation/text_fixture.h"
#include "tests/game/presentation/window_fixture.h"
#include "tests/layer/graphics/software_screen_fixture.h"
#include "tests/support/auto_confirm_scope.h"
#include "tests/support/sjis.h"

namespace {

// Colours of a small palette: white, then reds, greens and blues; 13 is the ruby's.
std::vector<std::array<int, 3>> Palette() {
    std::vector<std::array<int, 3>> colours{
        {255, 255, 255}, {255, 90, 90}, {90, 255, 90}, {110, 160, 255}};
    while (colours.size() < 13)
        colours.push_back({200, 200, 200});
    colours.push_back({255, 220, 120});
    return colours;
}

class WindowGolden : public test::SoftwareScreens {
  protected:
    void SetUp() override {
        platform::UseGlyphSource(nullptr);
        SoftwareScreens::SetUp();
        layer::PutBox(0, 0, 640, 480, layer::RgbToPixel(30, 50, 80), 1);
        game::TileSize = 32;
        game::ZoomFactor = 1;
        game::FramesPerUpdate = 1;
        game::TheGameInfo = game::GameInfo();
        game::TheScreenState = game::ScreenState(game::ScreenState::Screens::kLater);
        game::TheMainInterpreter =
            game::MainInterpreter(game::MainInterpreter::AutomaticEvents::kLater);
        test::SetColourRecords(Palette());
        test::SetWindowGraphics("", 1, "", "", 1);
        game::TheTextResources = game::TextResources();
        game::SetupFonts(game::TheTextResources);
        game::TheTextResources.IconHandles = {
            0, Graph(24, 24, [](int x, int y) {
                return (x - 12) * (x - 12) + (y - 12) * (y - 12) < 100 ? 0xE0C040u : 0x000000u;
            })};
        game::TheTextResources.IconWidths = {0, 24};
        game::TheTextResources.IconHeights = {0, 24};
    }
    void TearDown() override {
        game::ClearFontCache(game::TheTextResources);
        game::ResetTextColourTable();
        SoftwareScreens::TearDown();
    }

    // A frame image of 3 x 3 cells of 8 pixels: a light border around a dark blue inside.
    int FrameGraph() {
        return Graph(24, 24, [](int x, int y) {
            const bool border = x < 2 || y < 2 || x > 21 || y > 21;
            return border ? 0xC8C8E0u : 0x203070u;
        });
    }

    void Run(game::MessageWindow& message, game::ChoiceWindow& choice, int updates,
             test::Key key = test::Key::kNone) {
        for (int update = 0; update < updates; ++update) {
            game::TheInputState = test::Input(key);
            game::UpdateChoiceWindow(choice);
            game::UpdateMessageWindow(message);
        }
    }

    game::ReportCapture reports_;
    const test::AutoConfirmScope keys_{false};
};

TEST_F(WindowGolden, AMessagePageWithCodesAndThePageCursor) {
    game::MessageWindow message;
    game::ChoiceWindow choice;
    message.CursorGraph = Graph(16, 32, [](int x, int y) {
        return (y % 16) > 4 && (y % 16) < 12 && x > 3 && x < 12 ? 0xFFFFFFu : 0u;
    });
    message.CursorLoaded = 1;
    message.CursorWidth = 16;
    message.CursorHeight = 32;
    message.CursorCells = 2;
    game::TheScreenState.messageText =
        test::Sjis(u8"普通の文字と") + test::Code(2, {0, 1}) + test::Sjis(u8"赤い色") +
        test::Code(2, {0, 0}) + "\n" + test::Code(3, {30}) + test::Sjis(u8"大きな") +
        test::Code(3, {22}) + test::Code(5) + test::Sjis(u8"縁取り") + test::Code(6) +
        test::Code256(22, 1) + test::Sjis(u8"アイコン") + "\n" + test::Code(9) +
        test::Sjis(u8"漢字,かんじ]") + test::Sjis(u8"に振り仮名");
    Run(message, choice, 30);
    ASSERT_EQ(message.PageCursorShown, 1);
    game::DrawMessageWindow(message);
    EXPECT_TRUE(test::MatchesGolden(Picture(layer::direct_draw.back_image, 640, 480),
                                    "game/presentation/message_page"));
}

TEST_F(WindowGolden, AChoiceAfterAMessageAtFullOpacityWithTheCursorOnTheSecondItem) {
    game::MessageWindow message;
    game::ChoiceWindow choice;
    const int frame = FrameGraph();
    choice.SkinCells = game::SplitGraph(frame, 3, 3);
    choice.SkinLoaded = 1;
    choice.SkinCellWidth = 8;
    choice.SkinCellHeight = 8;
    choice.CursorCellList = game::SplitGraph(Graph(24, 24,
                                                   [](int x, int y) {
                                                       const bool border =
                                                           x < 2 || y < 2 || x > 21 || y > 21;
                                                       return border ? 0xFFFFFFu : 0x606060u;
                                                   }),
                                             3, 3);
    choice.CursorGraph = choice.CursorCellList[0];
    choice.CursorLoaded = 1;
    choice.CursorCellWidth = 8;
    choice.CursorCellHeight = 8;
    game::ScreenState& screen = game::TheScreenState;
    screen.messageText = test::Sjis(u8"どちらにしますか？");
    screen.messageOpen = 1;
    screen.choiceCount = 3;
    screen.choiceCancelValue = -1;
    screen.choiceText = test::Sjis(u8"はい\nいいえ\nあとで\n");
    Run(message, choice, 12);
    Run(message, choice, 1, test::Key::kDown);
    Run(message, choice, 3);
    ASSERT_EQ(choice.Alpha, 255);
    ASSERT_EQ(choice.Cursor, 1);
    game::DrawMessageWindow(message);
    game::DrawChoiceWindow(choice);
    EXPECT_TRUE(test::MatchesGolden(Picture(layer::direct_draw.back_image, 640, 480),
                                    "game/presentation/choice_after_message"));
}

}  // namespace
