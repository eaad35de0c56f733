#include "game/interpreter/message_text.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/game/core/fresh_game_state.h"
#include "tests/game/core/report_capture.h"

namespace game {
namespace {

using namespace std::string_literals;

std::string Codes(const std::string& text) {
    return ExpandMessageText(text, -1, -1, 0, {});
}

struct CodeCase {
    const char* name;
    std::string text;
    std::string coded;
    std::size_t reports;
};

class ControlCodes : public ::testing::TestWithParam<CodeCase> {};

TEST_P(ControlCodes, MatchTheirBytes) {
    FreshGameState();
    ReportCapture reports;
    const CodeCase& c = GetParam();
    EXPECT_EQ(Codes(c.text), c.coded);
    EXPECT_EQ(ReportCapture::errors().size(), c.reports);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, ControlCodes,
    ::testing::Values(
        CodeCase{"SpeedZeroIsDefault", "\\sp[0]", "\x01\x0C\x0D\x0D"s, 0},
        CodeCase{"Speed255", "\\sp[255]", "\x01\x0C\x0E\x0D"s, 0},
        CodeCase{"PackedBackslashIsNoEscape", "\\c[78]E",
                 "\x01\x02\x0E\x5C"
                 "E"s,
                 0},
        CodeCase{"ColourAbove9999", "\\c[12000]", "\x01\x02\x79\x1E[12000]"s, 1},
        CodeCase{"FontOutOfRange", "\\font[7]", "\x01\x11\x15"s, 1},
        CodeCase{"LineSpaceBelowZero", "\\space[-50]", "\x01\x12\x8A\xDC"s, 0},
        CodeCase{"OffsetNegative", "\\mx[-1]", "\x01\x18\x35\x1E"s, 0},
        CodeCase{"OffsetFive", "\\mx[5]", "\x01\x18\x0E\x13"s, 0},
        CodeCase{"IconClamped", "\\i[123456]", "\x01\x16\x35\x1D"s, 0},
        CodeCase{"SizeClamps", "\\f[0]\\f[500]\\m[-9]\\m[300]",
                 "\x01\x03\x0F\x01\x03\x80\x01\x04\x0F\x01\x04\xFE"s, 0},
        CodeCase{"Spacing", "\\-[0]\\-[13]\\-[300]", "\x01\x07\xFF\x01\x07\x0C\x01\x07\x2C"s, 0},
        CodeCase{
            "SimpleCodes", "\\E\\N\\>\\<\\.\\!\\^<L><C><R>",
            "\x01\x05\x01\x06\x01\x0A\x01\x0B\x01\x0E\x01\x0F\x01\x10\x01\x13\x01\x14\x01\x15"s, 0},
        CodeCase{"RubyAndImageKeepTheirText", "\\r[a,b]\\img[x.png]",
                 "\x01\x09"
                 "a,b]\x01\x17x.png]"s,
                 0},
        CodeCase{"ThreeBackslashesAndE", "\\\\\\E", "\x01\x01\x01\x05"s, 0},
        CodeCase{"TrailByteBackslashIsNoEscape", "\x95\\E\\E", "\x95\\E\x01\x05"s, 0},
        CodeCase{"CarriageReturnsGo", "a\r\nb", "a\nb", 0},
        CodeCase{"MissingBracketKeepsTheRest", "\\f[5", "\x01\x03\x13[5"s, 1},
        CodeCase{"UnreadableNumberIsZero", "\\f[\\E]", "\x01\x03\x0F"s, 0}),
    [](const auto& info) { return std::string(info.param.name); });

class MessageText : public ::testing::Test {
  protected:
    void SetUp() override { FreshGameState(); }
    ReportCapture reports;
    VariableStore& store = TheVariableStore;
};

TEST_F(MessageText, VariablesAndReserveSets) {
    store.StoreValueById(2000001, 7);
    store.StoreValueById(2200003, -12);
    EXPECT_EQ(Codes("a\\v[1]b\\v2[3]"), "a7b-12");
}

TEST_F(MessageText, ABackslashBeforeAReferenceStays) {
    store.StoreValueById(2000001, 7);
    EXPECT_EQ(Codes("\\\\v[1]"), "\\7");
}

TEST_F(MessageText, SubstitutionsMatchInsideTwoByteCharacters) {
    store.StoreValueById(2000001, 7);
    EXPECT_EQ(Codes("\x95\\v[1]"),
              "\x95"
              "7");
}

TEST_F(MessageText, InsertedTextIsSearchedForLaterKindsOnly) {
    store.StoreValueById(2000001, 7);
    store.StoreStringById(3000000, "\\v[1]");
    store.StoreStringById(3000001, "\\s[2]");
    store.StoreStringById(3000002, "two");
    EXPECT_EQ(Codes("\\s[0]|\\s[1]"), "\\v[1]|two");
}

TEST_F(MessageText, SelfVariablesOfTheGivenEventAndMap) {
    CommonEvents.Resize(3);
    store.ResetVariableStore();
    store.mapOverride = 2;
    store.StoreValueById(1000000 + 4 * 10 + 3, 33);
    store.StoreValueById(15000000 + 2 * 100 + 1, 9);
    store.StoreStringById(15000000 + 2 * 100 + 5, "five");
    EXPECT_EQ(ExpandMessageText("\\self[3] \\cself[1] \\cself[5]", 4, 2, 2, {}), "33 9 five");
    EXPECT_EQ(store.mapOverride, -1);
}

TEST_F(MessageText, DataBaseReferences) {
    UserDataBase.types.resize(2);
    UserDataBase.types[1].contentCodes = {1000, 2000};
    UserDataBase.types[1].records = {{{5}, {"text"}}};
    EXPECT_EQ(Codes("\\udb[1:0:0]/\\udb[1:0:1]"), "5/text");
    EXPECT_TRUE(ReportCapture::errors().empty());
}

TEST_F(MessageText, AtLineGoesToSystemVariableZero) {
    MessageTextOptions options;
    options.atLine = true;
    EXPECT_EQ(ExpandMessageText("@12\nHello", -1, -1, 0, options), "Hello");
    EXPECT_EQ(TheMainInterpreter.SystemValue0, 12);
    EXPECT_EQ(ExpandMessageText("@12", -1, -1, 0, options), "12");
    EXPECT_EQ(ExpandMessageText("@1234567890\nx", -1, -1, 0, options), "x");
    EXPECT_EQ(TheMainInterpreter.SystemValue0, 0);
    EXPECT_EQ(ReportCapture::errors().size(), 1u);
}

TEST_F(MessageText, WrapAndSubstitutionsOnly) {
    store.StoreValueById(2000000, 3);
    MessageTextOptions options;
    options.wrap = true;
    options.substitutionsOnly = true;
    options.prefix = "<\\v[0]";
    options.suffix = "\\E>";
    EXPECT_EQ(ExpandMessageText("\\\\", -1, -1, 0, options), "<3\\\\\\E>");
}

TEST_F(MessageText, SelfFeedingTextsAreCutOff) {
    store.StoreStringById(3000000, std::string(1000, 'x') + "\\s[0]");
    const std::string expanded = Codes("\\s[0]");
    EXPECT_LE(expanded.size(), (1u << 20) + 1005);
    EXPECT_EQ(ReportCapture::errors().size(), 1u);
}

TEST(MessageTextRoutines, RevertControlCodes) {
    EXPECT_EQ(RevertControlCodes("\x01\x10"s), "\\^");
    EXPECT_EQ(RevertControlCodes("\x01\x02\x0E\x0F"s), "\x01\x02\x0E\x0F"s);
    EXPECT_EQ(RevertControlCodes("\x01\x01\x01\x05"
                                 "a\x01\x17"
                                 "b]"s),
              "\\\\\\Ea\\img[b]");
}

TEST(MessageTextRoutines, DoubleBackslashes) {
    EXPECT_EQ(DoubleBackslashes("a\\b"), "a\\\\b");
    EXPECT_EQ(DoubleBackslashes("\x01\x01"s), "\\\\");
    EXPECT_EQ(DoubleBackslashes("\x95\\"), "\x95\\\\");
}

struct PageCase {
    const char* name;
    std::string text;
    std::string first;
    std::string rest;
};

class MessagePages : public ::testing::TestWithParam<PageCase> {};

TEST_P(MessagePages, SplitAtTheFirstBreak) {
    EXPECT_EQ(SplitMessagePage(0, GetParam().text), GetParam().first);
    EXPECT_EQ(SplitMessagePage(1, GetParam().text), GetParam().rest);
    EXPECT_EQ(SplitMessagePage(2, GetParam().text), "");
}

INSTANTIATE_TEST_SUITE_P(
    Breaks, MessagePages,
    ::testing::Values(PageCase{"NoBreak", "one\ntwo", "one\ntwo", ""},
                      PageCase{"EmptyLine", "one\r\n\r\ntwo\n\nthree", "one", "two\n\nthree"},
                      PageCase{"AtLine", "one\n@2\ntwo", "one", "@2\ntwo"},
                      PageCase{"AtLineBeforeEmptyLine", "a\n@b\n\nc", "a", "@b\n\nc"},
                      PageCase{"LeadingAtIsNoBreak", "\n@x", "\n@x", ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace game
