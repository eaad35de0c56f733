#include "game/program/variable_view.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "game/core/database.h"
#include "game/core/processing_point.h"
#include "game/core/variable_store.h"
#include "game/interpreter/main_interpreter.h"
#include "tests/game/core/fresh_game_state.h"
#include "tests/game/core/game_screen_fixture.h"
#include "tests/support/sjis.h"

namespace game {
namespace {

using test::Sjis;

// The system database with only the named types holding data, the given names as data names;
// the variable store sized after it.
void NameSystemData(const std::map<int, std::vector<std::string>>& names) {
    SysDataBase.types.assign(24, DataBaseType{});
    SysDataBase.typeDescs.assign(24, DataBaseTypeDesc{});
    for (DataBaseType& type : SysDataBase.types)
        type.records.clear();
    for (const auto& [type, list] : names) {
        SysDataBase.types[static_cast<std::size_t>(type)].records.resize(list.size());
        SysDataBase.typeDescs[static_cast<std::size_t>(type)].dataNames = list;
    }
    TheVariableStore.ResetVariableStore();
}

TEST(VariableViewText, CutsToThirtyTwoBytesWithoutSplittingACharacter) {
    const std::string kanji = Sjis(u8"変");
    struct CutCase {
        std::string text;
        std::string shown;
    };
    for (const CutCase& cut : {
             CutCase{"short", "short"},
             CutCase{std::string(40, 'a'), std::string(32, 'a')},
             // A two-byte character over bytes 31 and 32 is left out whole.
             CutCase{std::string(31, 'a') + kanji + "b", std::string(31, 'a')},
             CutCase{std::string(30, 'a') + kanji + "bc", std::string(30, 'a') + kanji},
             // Half-width katakana are one byte each.
             CutCase{std::string(33, '\xb1'), std::string(32, '\xb1')},
         }) {
        EXPECT_EQ(FirstWholeCharacters(cut.text, 32), cut.shown) << cut.text;
    }
}

class VariableViewLines : public testing::Test {
  protected:
    void SetUp() override { FreshGameState(); }
    void TearDown() override { FreshGameState(); }
};

TEST_F(VariableViewLines, ListEveryKindWithItsDatabaseNames) {
    NameSystemData({{14, {Sjis(u8"所持金"), "HP"}},
                    {15, {"Reserve"}},
                    {4, {Sjis(u8"名前")}},
                    {6, {"Sys"}},
                    {5, {"Text"}}});
    TheMainInterpreter.eventNumber = 3;
    TheMainInterpreter.commonNumber = 12;
    TheMainInterpreter.line = 45;
    // A parallel common event ran last: the first line still names the main interpreter.
    TheProcessingPoint = {-1, 7, 2};
    TheVariableStore.StoreValueById(2000000, 1500);
    TheVariableStore.StoreValueById(2000001, -7);
    TheVariableStore.StoreValueById(2100000, 123456);
    TheVariableStore.StoreStringById(3000000, std::string(31, 'x') + Sjis(u8"長い"));
    const std::int32_t system = TheVariableStore.ReadValueById(9000000);
    EXPECT_EQ(VariableListLines(),
              (std::vector<std::string>{
                  Sjis(u8"Ev3 CommonEv12 45行"),
                  Sjis(u8"■通常変数-----"),
                  Sjis(u8"■V0-00: 1500(所持金)"),
                  Sjis(u8"■V0-01:   -7(HP)"),
                  Sjis(u8"■V1-00:123456(Reserve)"),
                  Sjis(u8"■文字列変数---"),
                  Sjis(u8"●S00:") + std::string(31, 'x') + Sjis(u8"(名前)"),
                  Sjis(u8"■ｼｽﾃﾑ変数-----"),
                  Sjis(u8"★Sys00:") + std::string(5 - std::to_string(system).size(), ' ') +
                      std::to_string(system) + "(Sys)",
                  Sjis(u8"■ｼｽﾃﾑ文字列(読み取り専用)---"),
                  Sjis(u8"※SysS00:(Text)"),
              }));
}

TEST_F(VariableViewLines, TypesWithoutDataGiveOnlyTheHeadings) {
    NameSystemData({});
    EXPECT_EQ(VariableListLines().size(), 5u);
}

TEST(VariableViewPaging, PagesMoveRightUntilTheLastColumnIsShown) {
    const VariableViewLayout wide{220, 660, 472, 32};
    const VariableViewLayout narrow{160, 320, 232, 16};
    struct PageCase {
        VariableViewLayout layout;
        int offset;
        int lastColumnX;
        int next;
    };
    for (const PageCase& page : {
             // Four columns of 220: one page more, ending at the last column.
             PageCase{wide, 0, 660, 660},
             PageCase{wide, 660, 660, -1},
             // Three columns fit on the first page.
             PageCase{wide, 0, 440, -1},
             // A long list moves a whole page step at a time.
             PageCase{wide, 0, 2200, 660},
             PageCase{wide, 1320, 2200, 1980},
             PageCase{wide, 1980, 2200, -1},
             PageCase{narrow, 0, 480, 320},
             PageCase{narrow, 320, 480, -1},
         }) {
        EXPECT_EQ(NextVariableViewOffset(page.offset, page.lastColumnX, page.layout), page.next)
            << page.offset << " " << page.lastColumnX;
    }
}

class VariableViewPicture : public test::GameScreens {
  protected:
    void TearDown() override {
        FreshGameState();
        layer::SetStandardFontType(0);
        layer::SetStandardFontSize(16);
        SoftwareScreens::TearDown();
    }
};

TEST_F(VariableViewPicture, LinesFillColumnsFromTheLeftOverADarkenedScreen) {
    std::vector<std::string> names;
    for (int i = 0; i < 70; ++i)
        names.push_back("Var" + std::to_string(i));
    NameSystemData({{14, names}, {4, {Sjis(u8"名前")}}});
    for (int i = 0; i < 70; ++i)
        TheVariableStore.StoreValueById(2000000 + i, i * 37);
    TheVariableStore.StoreStringById(3000000, Sjis(u8"勇者"));
    const std::vector<std::string> lines = VariableListLines();
    // 53 lines to a column: the 77 lines end in the second column.
    EXPECT_EQ(DrawVariableList(lines, 0, CurrentVariableViewLayout()), 220);
    EXPECT_TRUE(test::MatchesGolden(Picture(layer::direct_draw.back_image, 640, 480),
                                    "game/core/variable-view"));
}

}  // namespace
}  // namespace game
