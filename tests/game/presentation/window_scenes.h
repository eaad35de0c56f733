#pragma once

// The message and choice window scenes both routes draw with the installed Japanese fonts: the
// software route makes their goldens, the OpenGL route is compared with them.

#include <gtest/gtest.h>

#include <array>
#include <vector>

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
#include "tests/layer/graphics/draw_call_scenes.h"
#include "tests/support/auto_confirm_scope.h"
#include "tests/support/sjis.h"

namespace test {

// Colours of a small palette: white, then reds, greens and blues; 13 is the ruby's.
inline std::vector<std::array<int, 3>> WindowPalette() {
    std::vector<std::array<int, 3>> colours{
        {255, 255, 255}, {255, 90, 90}, {90, 255, 90}, {110, 160, 255}};
    while (colours.size() < 13)
        colours.push_back({200, 200, 200});
    colours.push_back({255, 220, 120});
    return colours;
}

// The route's screens filled dark blue, the installed fonts, the palette and a round icon.
template <class Screens>
class WindowScreenOn : public Screens {
  protected:
    void SetUp() override {
        platform::UseGlyphSource(nullptr);
        Screens::SetUp();
        layer::PutBox(0, 0, 640, 480, layer::RgbToPixel(30, 50, 80), 1);
        StartTextGameState();
        SetColourRecords(WindowPalette());
        SetWindowGraphics("", 1, "", "", 1);
        game::TheTextResources = game::TextResources();
        game::SetupFonts(game::TheTextResources);
        game::TheTextResources.IconHandles = {
            0, PictureGraph(
                   24, 24,
                   [](int x, int y) {
                       return (x - 12) * (x - 12) + (y - 12) * (y - 12) < 100 ? 0xE0C040u
                                                                              : 0x000000u;
                   },
                   1)};
        game::TheTextResources.IconWidths = {0, 24};
        game::TheTextResources.IconHeights = {0, 24};
    }
    void TearDown() override {
        game::ClearFontCache(game::TheTextResources);
        game::ResetTextColourTable();
        Screens::TearDown();
    }

    game::ReportCapture reports_;
    const AutoConfirmScope keys_{false};
};

// Updates both windows `updates` times with the key held.
inline void RunWindows(game::MessageWindow& message, game::ChoiceWindow& choice, int updates,
                       Key key = Key::kNone) {
    for (int update = 0; update < updates; ++update) {
        game::TheInputState = Input(key);
        game::UpdateChoiceWindow(choice);
        game::UpdateMessageWindow(message);
    }
}

// A message page with colour, size, edge, icon and ruby codes, and the page cursor shown.
inline void DrawMessagePage() {
    game::MessageWindow message;
    game::ChoiceWindow choice;
    message.CursorGraph = PictureGraph(
        16, 32,
        [](int x, int y) {
            return (y % 16) > 4 && (y % 16) < 12 && x > 3 && x < 12 ? 0xFFFFFFu : 0u;
        },
        1);
    message.CursorLoaded = 1;
    message.CursorWidth = 16;
    message.CursorHeight = 32;
    message.CursorCells = 2;
    game::TheScreenState.messageText = Sjis(u8"普通の文字と") + Code(2, {0, 1}) + Sjis(u8"赤い色") +
                                       Code(2, {0, 0}) + "\n" + Code(3, {30}) + Sjis(u8"大きな") +
                                       Code(3, {22}) + Code(5) + Sjis(u8"縁取り") + Code(6) +
                                       Code256(22, 1) + Sjis(u8"アイコン") + "\n" + Code(9) +
                                       Sjis(u8"漢字,かんじ]") + Sjis(u8"に振り仮名");
    RunWindows(message, choice, 30);
    ASSERT_EQ(message.PageCursorShown, 1);
    game::DrawMessageWindow(message);
}

// A 24 x 24 frame picture: a two-pixel border around the inside.
inline int FramePicture(std::uint32_t border, std::uint32_t inside) {
    return PictureGraph(
        24, 24,
        [border, inside](int x, int y) {
            return x < 2 || y < 2 || x > 21 || y > 21 ? border : inside;
        },
        1);
}

// A choice of three after a message, fully faded in, the cursor on the second item.
inline void DrawChoiceAfterMessage() {
    game::MessageWindow message;
    game::ChoiceWindow choice;
    choice.SkinCells = game::SplitGraph(FramePicture(0xC8C8E0u, 0x203070u), 3, 3);
    choice.SkinLoaded = 1;
    choice.SkinCellWidth = 8;
    choice.SkinCellHeight = 8;
    choice.CursorCellList = game::SplitGraph(FramePicture(0xFFFFFFu, 0x606060u), 3, 3);
    choice.CursorGraph = choice.CursorCellList[0];
    choice.CursorLoaded = 1;
    choice.CursorCellWidth = 8;
    choice.CursorCellHeight = 8;
    game::ScreenState& screen = game::TheScreenState;
    screen.messageText = Sjis(u8"どちらにしますか？");
    screen.messageOpen = 1;
    screen.choiceCount = 3;
    screen.choiceCancelValue = -1;
    screen.choiceText = Sjis(u8"はい\nいいえ\nあとで\n");
    RunWindows(message, choice, 12);
    RunWindows(message, choice, 1, Key::kDown);
    RunWindows(message, choice, 3);
    ASSERT_EQ(choice.Alpha, 255);
    ASSERT_EQ(choice.Cursor, 1);
    game::DrawMessageWindow(message);
    game::DrawChoiceWindow(choice);
}

// A scene, its golden, and the areas its text covers (text differs between the routes by rule).
struct WindowScene {
    const char* name;
    const char* golden;
    void (*draw)();
    std::vector<PictureArea> text;
};

inline const std::vector<WindowScene> kWindowScenes = {
    {"AMessagePageWithCodesAndThePageCursor",
     "game/presentation/message_page",
     DrawMessagePage,
     {{15, 303, 197, 326}, {16, 332, 163, 367}, {190, 332, 270, 367}, {15, 367, 156, 390}}},
    {"AChoiceAfterAMessageAtFullOpacityWithTheCursorOnTheSecondItem",
     "game/presentation/choice_after_message",
     DrawChoiceAfterMessage,
     {{291, 133, 351, 209}, {17, 304, 194, 326}}},
};

}  // namespace test
