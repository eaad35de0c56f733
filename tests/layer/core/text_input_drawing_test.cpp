// Key-input strings and compositions drawn on the software back screen: pictures with the
// installed Japanese fonts (IPA Gothic), compared with golden pictures of our own output, and
// the layout rules over the fixed glyphs of the fake glyph source (8 pixels a character).
#include <gtest/gtest.h>

#include <string>

#include "layer/core/ime.h"
#include "layer/core/layer_api.h"
#include "layer/core/text_input.h"
#include "layer/core/text_input_records.h"
#include "platform/fonts/fake_glyph_source.h"
#include "tests/layer/graphics/software_screen_fixture.h"
#include "tests/support/case_name.h"
#include "tests/support/sjis.h"

namespace {

using test::Sjis;

constexpr int kPictureWidth = 200;
constexpr int kPictureHeight = 72;
constexpr std::uint32_t kGround = 0x1E3250;

class TextInputScreen : public test::SoftwareScreens {
  protected:
    void SetUp() override {
        SoftwareScreens::SetUp();
        layer::InitTextInput();
        layer::ime_state = {};
        layer::PutBox(0, 0, 640, 480, layer::RgbToPixel(0x1E, 0x32, 0x50), 1);
    }
    void TearDown() override {
        layer::EndTextInput();
        layer::ime_state = {};
        SoftwareScreens::TearDown();
    }

    // An active input holding the text, its cursor at the end.
    static int Input(const std::string& text, int max_length = 64) {
        const int handle = layer::CreateTextInput(max_length, 0, 0, 0);
        EXPECT_EQ(layer::SetTextInputString(text.c_str(), handle), 0);
        EXPECT_EQ(layer::ActivateTextInput(handle), 0);
        return handle;
    }

    static layer::TextEditor& Editor(int handle) {
        return layer::text_input_table.Find(handle)->editor;
    }

    static void Compose(const std::string& text, int cursor, int selection_length) {
        platform::Message message;
        message.kind = platform::MessageKind::kImeComposition;
        message.text = text;
        message.cursor = cursor;
        message.selection_length = selection_length;
        layer::HandleImeMessage(message);
    }
};

struct PictureCase {
    const char* label;
    layer::Rect area;
    int x;
    int y;
    const char8_t* text;
    int cursor;  // -1: at the end
    int anchor;  // -1: no selection
    int selection_end;
    int draw_start;
    const char8_t* composition;  // null: none
    int composition_cursor;      // bytes
    int selected_length;         // bytes
};

const PictureCase kPictureCases[] = {
    {"a line", {8, 8, 192, 64}, 12, 12, u8"名前はたろうAbc", -1, -1, 0, 0, nullptr, 0, 0},
    {"wrapped past the right edge",
     {8, 8, 192, 64},
     120,
     12,
     u8"ながいなまえのゆうしゃです",
     4,
     -1,
     0,
     0,
     nullptr,
     0,
     0},
    {"a selection", {8, 8, 192, 64}, 12, 12, u8"たろうabc", 2, 8, 4, 0, nullptr, 0, 0},
    {"a scrolled draw start",
     {8, 8, 192, 28},
     12,
     12,
     u8"とてもながいなまえをもつゆうしゃ",
     -1,
     -1,
     0,
     0,
     nullptr,
     0,
     0},
    {"a composition with its selected clause",
     {8, 8, 192, 64},
     12,
     12,
     u8"なまえ",
     -1,
     -1,
     0,
     0,
     u8"かんじへんかん",
     4,
     6},
    {"a composition of a single clause",
     {8, 8, 192, 64},
     12,
     12,
     u8"なまえ",
     -1,
     -1,
     0,
     0,
     u8"にほんご",
     8,
     0},
};

class TextInputPicture : public TextInputScreen, public testing::WithParamInterface<PictureCase> {
  protected:
    void SetUp() override {
        platform::UseGlyphSource(nullptr);
        TextInputScreen::SetUp();
        layer::SetStandardFontFace(Sjis(u8"ＭＳ ゴシック").c_str(), -1);
        layer::SetStandardFontSize(16);
    }
};

TEST_P(TextInputPicture, MatchesItsGolden) {
    const PictureCase& c = GetParam();
    layer::SetDrawClipRect(c.area.left, c.area.top, c.area.right, c.area.bottom);
    const int handle = Input(Sjis(c.text));
    layer::TextEditor& editor = Editor(handle);
    if (c.cursor >= 0) {
        editor.cursor = c.cursor;
    }
    editor.anchor = c.anchor;
    editor.selection_end = c.selection_end;
    editor.draw_start = c.draw_start;
    if (c.composition != nullptr) {
        Compose(Sjis(c.composition), c.composition_cursor, c.selected_length);
    }
    EXPECT_EQ(layer::DrawTextInput(c.x, c.y, handle), 0);
    layer::SetDrawClipRect(0, 0, 640, 480);
    EXPECT_TRUE(
        test::MatchesGolden(Picture(layer::direct_draw.back_image, kPictureWidth, kPictureHeight),
                            "layer/core/text_input_" + test::CaseName(c.label)));
}

INSTANTIATE_TEST_SUITE_P(Pictures, TextInputPicture, testing::ValuesIn(kPictureCases),
                         [](const testing::TestParamInfo<PictureCase>& info) {
                             return test::CaseName(info.param.label);
                         });

// The fake glyphs: size 16 gives a line height of 19, every character 8 pixels wide.
class TextInputLayout : public TextInputScreen {
  protected:
    void SetUp() override {
        platform::ResetFakeGlyphs();
        platform::UseGlyphSource(&platform::FakeGlyphSource());
        TextInputScreen::SetUp();
        layer::SetStandardFontSize(16);
        layer::SetDrawClipRect(100, 50, 180, 120);
    }
    void TearDown() override {
        TextInputScreen::TearDown();
        platform::UseGlyphSource(nullptr);
    }

    // The cursor (white, 2 wide, 16 high) of an empty input drawn at (x, y) stands at
    // (left, top).
    static void ExpectCursorAt(int x, int y, int left, int top) {
        const int handle = Input("");
        EXPECT_EQ(layer::DrawTextInput(x, y, handle), 0);
        EXPECT_EQ(BackPixel(left, top), 0xFFFFFFu);
        EXPECT_EQ(BackPixel(left + 1, top + 15), 0xFFFFFFu);
        EXPECT_EQ(BackPixel(left + 2, top), kGround);
        EXPECT_EQ(BackPixel(left, top + 16), kGround);
        EXPECT_EQ(BackPixel(left - 1, top), kGround);
        layer::DeleteTextInput(handle);
    }
};

TEST_F(TextInputLayout, AStartOutsideTheAreaIsMovedIntoIt) {
    ExpectCursorAt(10, 10, 100, 50);
}

TEST_F(TextInputLayout, AStartPastTheRightEdgeGoesOnALineLower) {
    ExpectCursorAt(200, 60, 120, 79);
}

// From (100, 50) three lines of 19 fit above 120: 160 + 80 = 240 pixels, 30 characters.
TEST_F(TextInputLayout, TheDrawStartMovesOnceTheTextPassesTheAvailableWidth) {
    const int fits = Input(std::string(30, 'a'));
    EXPECT_EQ(layer::DrawTextInput(100, 50, fits), 0);
    EXPECT_EQ(Editor(fits).draw_start, 0);
    const int passes = Input(std::string(31, 'a'));
    EXPECT_EQ(layer::DrawTextInput(100, 50, passes), 0);
    EXPECT_EQ(Editor(passes).draw_start, 1);
    Editor(passes).cursor = 0;
    EXPECT_EQ(layer::DrawTextInput(100, 50, passes), 0);
    EXPECT_EQ(Editor(passes).draw_start, 0);
}

// Without a whole line below, the area offers what is left of the start's own line: 32
// pixels, four characters.
TEST_F(TextInputLayout, BelowTheLastWholeLineOnlyTheRestOfTheLineCounts) {
    const int handle = Input(std::string(5, 'a'));
    EXPECT_EQ(layer::DrawTextInput(148, 110, handle), 0);
    EXPECT_EQ(Editor(handle).draw_start, 1);
}

TEST_F(TextInputLayout, AnAreaWithoutWidthOrAFontWithoutHeightDrawsNothing) {
    const int handle = Input("abc");
    layer::SetDrawClipRect(100, 50, 100, 120);
    EXPECT_EQ(layer::DrawTextInput(100, 50, handle), 0);
    layer::SetDrawClipRect(100, 50, 180, 120);
    layer::SetStandardFontSize(0);
    EXPECT_EQ(layer::DrawTextInput(100, 50, handle), 0);
    for (int x = 96; x < 184; ++x) {
        ASSERT_EQ(BackPixel(x, 52), kGround) << x;
    }
}

}  // namespace
