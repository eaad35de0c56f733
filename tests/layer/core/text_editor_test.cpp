#include "layer/core/text_editor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/case_name.h"
#include "tests/support/sjis.h"

namespace {

using layer::EditEffect;
using layer::TextEditor;
using test::Sjis;

constexpr char kLeft = 0x1D;
constexpr char kRight = 0x1C;
constexpr char kHome = 0x1A;
constexpr char kEnd = 0x19;
constexpr char kBackspace = 0x08;
constexpr char kDelete = 0x10;
constexpr char kEscape = 0x1B;
constexpr char kEnter = 0x0D;

struct Options {
    int escape_cancels = 0;
    int single_byte_only = 0;
    int numeric_only = 0;
};

// An editor over its own buffer.
class Editor {
  public:
    Editor(const std::string& text, int cursor, int max_length, Options options = {})
        : buffer_(static_cast<std::size_t>(max_length) + 1, '\0') {
        editor.bytes = buffer_.data();
        editor.max_length = max_length;
        editor.escape_cancels = options.escape_cancels;
        editor.single_byte_only = options.single_byte_only;
        editor.numeric_only = options.numeric_only;
        layer::ReplaceEditorText(editor, text.c_str());
        editor.cursor = cursor;
    }

    // Types the bytes in turn, one character at a time as the ring gives them.
    layer::EditResult Type(const std::string& keys, int shift = 0) {
        layer::EditResult last;
        for (std::size_t i = 0; i < keys.size();) {
            const auto* character = reinterpret_cast<const unsigned char*>(keys.data() + i);
            const bool lead =
                (character[0] >= 0x81 && character[0] <= 0x9F) || character[0] >= 0xE0;
            const int length = lead ? 2 : 1;
            last = layer::ApplyTypedCharacter(editor, character, length, shift);
            i += static_cast<std::size_t>(length);
        }
        return last;
    }

    std::string Text() const { return {editor.bytes, static_cast<std::size_t>(editor.length)}; }

    TextEditor editor;

  private:
    std::vector<char> buffer_;
};

struct EditCase {
    const char* label;
    std::string text;
    int cursor;
    int max_length;
    Options options;
    std::string keys;
    int shift;
    std::string expected;
    int expected_cursor;
    int expected_anchor;  // -1: no selection
    int expected_selection_end;
};

const std::string kSmallYa = Sjis(u8"ャ");  // 83 83: a lead byte twice
const std::string kA = Sjis(u8"あ");

const EditCase kEditCases[] = {
    {"a full string takes X in the middle", "abcde", 2, 5, {}, "X", 0, "abXcd", 3, -1, 0},
    {"a full string takes X at the end", "abcde", 5, 5, {}, "X", 0, "abcdX", 5, -1, 0},
    {"numeric minus only at the start", "12", 2, 8, {0, 0, 1}, "-", 0, "12", 2, -1, 0},
    {"numeric minus at the start", "12", 0, 8, {0, 0, 1}, "-", 0, "-12", 1, -1, 0},
    {"numeric second point refused", "1.5", 3, 8, {0, 0, 1}, ".x7", 0, "1.57", 4, -1, 0},
    {"numeric two byte refused", "1", 1, 8, {0, 0, 1}, kA, 0, "1", 1, -1, 0},
    {"single byte refuses two byte whole", "", 0, 8, {0, 1, 0}, kA + "b", 0, "b", 1, -1, 0},
    {"shift left thrice selects all", "abc", 3, 8, {}, {kLeft, kLeft, kLeft}, 1, "abc", 0, 3, 0},
    {"typing replaces the selection",
     "abc",
     3,
     8,
     {},
     {kLeft, kLeft, kLeft, 'Z'},
     1,
     "Z",
     1,
     -1,
     0},
    {"two byte into maximum 1 dropped", "", 0, 1, {}, kA, 0, "", 0, -1, 0},
    {"a character longer than the maximum keeps the text", "a", 1, 1, {}, kA, 0, "a", 1, -1, 0},
    {"backspace after small ya and a",
     kSmallYa + "a",
     3,
     8,
     {},
     {kBackspace},
     0,
     kSmallYa,
     2,
     -1,
     0},
    {"backspace twice after small ya and a",
     kSmallYa + "a",
     3,
     8,
     {},
     {kBackspace, kBackspace},
     0,
     "",
     0,
     -1,
     0},
    {"left over small ya", kSmallYa + "a", 3, 8, {}, {kLeft, kLeft}, 0, kSmallYa + "a", 0, -1, 0},
    {"shift left over small ya",
     kSmallYa + "a",
     3,
     8,
     {},
     {kLeft, kLeft},
     1,
     kSmallYa + "a",
     0,
     3,
     0},
    {"a full string drops its last whole character",
     kSmallYa + "a",
     0,
     3,
     {},
     "b",
     0,
     "b" + kSmallYa,
     1,
     -1,
     0},
    {"a full string drops a two byte last character",
     "a" + kSmallYa,
     0,
     3,
     {},
     "b",
     0,
     "ba",
     1,
     -1,
     0},
    {"right over a two byte character", kA + "b", 0, 8, {}, {kRight}, 0, kA + "b", 2, -1, 0},
    {"shift right selects forward", "abc", 0, 8, {}, {kRight, kRight}, 1, "abc", 2, 0, 2},
    {"backspace deletes a backward selection",
     "abc",
     3,
     8,
     {},
     {kLeft, kLeft, kBackspace},
     1,
     "a",
     1,
     -1,
     0},
    {"shift delete cuts a forward selection",
     "abc",
     0,
     8,
     {},
     {kRight, kRight, kDelete},
     1,
     "c",
     0,
     -1,
     0},
    {"delete removes the character at the cursor", kA + "b", 0, 8, {}, {kDelete}, 0, "b", 0, -1, 0},
    {"delete at the end does nothing", "ab", 2, 8, {}, {kDelete}, 0, "ab", 2, -1, 0},
    {"shift home selects to the start", "abc", 2, 8, {}, {kHome}, 1, "abc", 0, 2, 0},
    {"shift end selects to the end", "abc", 1, 8, {}, {kEnd}, 1, "abc", 3, 1, 3},
    {"home and end without shift", "abc", 1, 8, {}, {kHome, 'x', kEnd, 'y'}, 0, "xabcy", 5, -1, 0},
    {"ctrl a does nothing", "ab", 1, 8, {}, "\x01", 0, "ab", 1, -1, 0},
    {"other control bytes do nothing",
     "ab",
     1,
     8,
     {},
     std::string("\x02\x0A\x00", 3),
     0,
     "ab",
     1,
     -1,
     0},
    {"tab and the other keys do nothing",
     "ab",
     1,
     8,
     {},
     "\x09\x1E\x1F\x15\x17",
     0,
     "ab",
     1,
     -1,
     0},
    {"an emptied selection is no selection",
     "abc",
     1,
     8,
     {},
     {kRight, kLeft, kBackspace},
     1,
     "bc",
     0,
     -1,
     0},
    {"escape without its option", "ab", 2, 8, {}, {kEscape, 'c'}, 0, "abc", 3, -1, 0},
};

class EditTable : public testing::TestWithParam<EditCase> {};

TEST_P(EditTable, LeavesTextCursorAndSelection) {
    const EditCase& c = GetParam();
    Editor editor(c.text, c.cursor, c.max_length, c.options);
    editor.Type(c.keys, c.shift);
    EXPECT_EQ(editor.Text(), c.expected);
    EXPECT_EQ(editor.editor.bytes[editor.editor.length], '\0');
    EXPECT_EQ(editor.editor.cursor, c.expected_cursor);
    EXPECT_EQ(layer::HasSelection(editor.editor) != 0 ? editor.editor.anchor : -1,
              c.expected_anchor);
    if (c.expected_anchor != -1) {
        EXPECT_EQ(editor.editor.selection_end, c.expected_selection_end);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, EditTable, testing::ValuesIn(kEditCases),
                         [](const testing::TestParamInfo<EditCase>& info) {
                             return test::CaseName(info.param.label);
                         });

TEST(TextEditor, EnterAndEscapeStopAndEnd) {
    Editor enter("ab", 2, 8);
    EXPECT_EQ(enter.Type({kEnter}).effect, EditEffect::kStop);
    EXPECT_EQ(enter.editor.ended, 1);
    EXPECT_EQ(enter.editor.cancelled, 0);
    Editor escape("ab", 2, 8, {1, 0, 0});
    EXPECT_EQ(escape.Type({kEscape}).effect, EditEffect::kStop);
    EXPECT_EQ(escape.editor.ended, 1);
    EXPECT_EQ(escape.editor.cancelled, 1);
    EXPECT_EQ(escape.Text(), "ab");
}

TEST(TextEditor, CopyKeepsCutDeletesAndShiftDeleteCuts) {
    Editor editor(kA + "bc", 0, 8);
    editor.Type({kRight, kRight}, 1);
    layer::EditResult copy = editor.Type("\x03");
    EXPECT_EQ(copy.effect, EditEffect::kCopy);
    EXPECT_EQ(copy.copied, kA + "b");
    EXPECT_EQ(layer::HasSelection(editor.editor), 1);
    layer::EditResult cut = editor.Type("\x18");
    EXPECT_EQ(cut.effect, EditEffect::kCopy);
    EXPECT_EQ(cut.copied, kA + "b");
    EXPECT_EQ(editor.Text(), "c");

    Editor shift_delete("abc", 3, 8);
    shift_delete.Type({kLeft}, 1);
    layer::EditResult deleted = shift_delete.Type({kDelete}, 1);
    EXPECT_EQ(deleted.effect, EditEffect::kCopy);
    EXPECT_EQ(deleted.copied, "c");
    EXPECT_EQ(shift_delete.Text(), "ab");

    Editor nothing_selected("abc", 1, 8);
    EXPECT_EQ(nothing_selected.Type("\x03").effect, EditEffect::kNone);
    EXPECT_EQ(nothing_selected.Type("\x18").effect, EditEffect::kNone);
    EXPECT_EQ(nothing_selected.Type("\x16").effect, EditEffect::kPaste);
}

TEST(TextEditor, DeletingLowersTheDrawStart) {
    Editor editor("abcdef", 6, 8);
    editor.editor.draw_start = 5;
    editor.Type({kLeft, kLeft, kLeft}, 1);
    layer::DeleteSelection(editor.editor);
    EXPECT_EQ(editor.Text(), "abc");
    EXPECT_EQ(editor.editor.draw_start, 3);
    EXPECT_EQ(editor.editor.cursor, 3);
}

TEST(TextEditor, ReplacingCutsAtACharacterBoundary) {
    Editor editor("", 0, 4);
    editor.editor.draw_start = 3;
    editor.Type({kRight}, 1);
    layer::ReplaceEditorText(editor.editor, ("a" + Sjis(u8"表") + "b").c_str());
    EXPECT_EQ(editor.Text(), "a" + Sjis(u8"表") + "b");
    layer::ReplaceEditorText(editor.editor, ("ab" + Sjis(u8"表") + "c").c_str());
    EXPECT_EQ(editor.Text(), "ab" + Sjis(u8"表"));
    layer::ReplaceEditorText(editor.editor, ("abc" + Sjis(u8"表")).c_str());
    EXPECT_EQ(editor.Text(), "abc");
    EXPECT_EQ(editor.editor.cursor, 3);
    EXPECT_EQ(editor.editor.draw_start, 3);
    layer::ReplaceEditorText(editor.editor, "");
    EXPECT_EQ(editor.editor.draw_start, 0);
}

}  // namespace
