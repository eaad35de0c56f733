#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "game/core/processing_point.h"
#include "game/core/variable_ids.h"
#include "tests/game/core/fresh_game_state.h"
#include "tests/game/core/report_capture.h"
#include "tests/support/sjis.h"

namespace game {
namespace {

class VariableAccess : public ::testing::Test {
  protected:
    void SetUp() override { FreshGameState(); }

    // Type 0 of a database: a number content and a text content, two records.
    static void GiveTwoContents(DataBase& database) {
        database.types.resize(1);
        database.typeDescs.resize(1);
        database.types[0].contentCodes = {1000, 2000};
        database.types[0].records = {{{10}, {"ten"}}, {{20}, {"twenty"}}};
    }

    VariableStore& store = TheVariableStore;
    ReportCapture reports;
};

TEST_F(VariableAccess, LiteralsReadAsThemselves) {
    EXPECT_EQ(store.ReadValueById(-5), -5);
    EXPECT_EQ(store.ReadValueById(999999), 999999);
    EXPECT_EQ(store.ReadStringById(5), "<<ERROR>>");
    EXPECT_EQ(store.ReadStringById(-5), "<<ERROR>>");
    EXPECT_TRUE(ReportCapture::errors().empty());
}

TEST_F(VariableAccess, VariablesGrowThreePastTheStoredIndex) {
    store.variableSets[0].resize(4);
    store.StoreValueById(2000000 + 10, 7);
    ASSERT_EQ(store.variableSets[0].size(), 13u);
    EXPECT_EQ(store.variableSets[0][10], 7);
    EXPECT_EQ(store.variableSets[0][12], 0);
    EXPECT_EQ(store.ReadValueById(2000000 + 10), 7);
    EXPECT_EQ(store.ReadValueById(2000000 + 13), 0);  // beyond the end
}

TEST_F(VariableAccess, AMissingVariableSetIsGrown) {
    store.variableSets.resize(2);  // as a save with two sets leaves it
    store.StoreValueById(2900005, 4);
    ASSERT_EQ(store.variableSets.size(), 10u);
    EXPECT_EQ(store.ReadValueById(2900005), 4);
}

TEST_F(VariableAccess, VariableCellsStayPutWhileSetsGrow) {
    store.StoreValueById(2000001, 1);
    std::int32_t* cell = store.GetVariablePointer(2000001, -1);
    ASSERT_NE(cell, nullptr);
    store.StoreValueById(2099999, 2);
    store.variableSets.resize(40);
    *cell = 5;
    EXPECT_EQ(store.ReadValueById(2000001), 5);
}

TEST_F(VariableAccess, SelfVariablesGrowForTheirMap) {
    store.mapOverride = 3;
    store.StoreValueById(1000000 + 12 * 10 + 9, 44);
    ASSERT_EQ(store.selfVariables.size(), 4u);
    ASSERT_EQ(store.selfVariables[3].size(), 13u);
    EXPECT_EQ(store.selfVariables[3][12].size(), 10u);
    EXPECT_EQ(store.mapOverride, -1);
    TheMapState.mapNumber = 3;
    EXPECT_EQ(store.ReadValueById(1000000 + 12 * 10 + 9), 44);
    // The decoding repeats every 100000 IDs.
    EXPECT_EQ(store.ReadValueById(1400000 + 12 * 10 + 9), 44);
}

TEST_F(VariableAccess, NoMapOrAMapOutOfRangeKeepsNothing) {
    ASSERT_EQ(TheMapState.mapNumber, -1);
    store.StoreValueById(1000005, 9);
    EXPECT_TRUE(store.selfVariables.empty());
    EXPECT_EQ(store.ReadValueById(1000005), 0);
    store.mapOverride = 100000;
    store.StoreValueById(1000005, 9);
    EXPECT_TRUE(store.selfVariables.empty());
    EXPECT_TRUE(ReportCapture::errors().empty());
}

TEST_F(VariableAccess, CommonNumbersNeverGrowButTextsDo) {
    CommonEvents.Resize(2);
    store.ResetVariableStore();
    store.StoreValueById(15000000 + 2 * 100 + 10, 5);
    EXPECT_EQ(store.commonNumbers.size(), 2u);
    store.StoreStringById(15000000 + 2 * 100 + 5, "late");
    ASSERT_EQ(store.commonStrings.size(), 3u);
    EXPECT_EQ(store.commonStrings[2][0], "late");
    EXPECT_EQ(store.ReadStringById(15000000 + 2 * 100 + 5), "late");
    EXPECT_EQ(store.ReadStringById(15000000 + 9 * 100 + 5), "");
    EXPECT_TRUE(ReportCapture::errors().empty());
    store.StoreValueById(15000000 + 1 * 100 + 99, 8);
    EXPECT_EQ(store.ReadValueById(15000000 + 1 * 100 + 99), 8);
}

TEST_F(VariableAccess, RandomNumbersStayInTheirRange) {
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(store.ReadValueById(8000000), 0);
        const std::int32_t value = store.ReadValueById(8000000 + 9);
        EXPECT_GE(value, 0);
        EXPECT_LE(value, 9);
    }
}

TEST_F(VariableAccess, CharacterFields) {
    TheParty.x = -3;
    TheParty.y = 7;
    TheParty.lift = 12;
    TheParty.members.resize(2);
    EXPECT_EQ(store.ReadValueById(9180000 + 0), -1);  // whole tiles, toward zero
    EXPECT_EQ(store.ReadValueById(9180000 + 1), 3);
    EXPECT_EQ(store.ReadValueById(9180000 + 3), 7);
    EXPECT_EQ(store.ReadValueById(9180000 + 4), 12);
    EXPECT_EQ(store.ReadValueById(9180000 + 5), 0);
    store.StoreValueById(9180000 + 20 + 0, 4);  // member 2: whole tiles become half tiles
    EXPECT_EQ(TheParty.members[1].x, 8);
    EXPECT_EQ(store.ReadValueById(9180000 + 30), -1);  // no member 3
    store.StoreValueById(9180000 + 30, 4);

    TheMapState.mapData.events = {MapEvent(4), MapEvent(9)};
    TheMapState.eventCharacters.resize(2);
    store.StoreValueById(9100000 + 9 * 10 + 2, 15);
    EXPECT_EQ(TheMapState.eventCharacters[1].x, 15);
    EXPECT_EQ(store.ReadValueById(9100000 + 9 * 10 + 0), 7);
    EXPECT_EQ(store.ReadValueById(9100000 + 5 * 10 + 0), 0);  // no event 5
}

TEST_F(VariableAccess, OnlyTheLiveChangeableDataBaseGrowsOnReads) {
    GiveTwoContents(UserDataBase);
    GiveTwoContents(CDataBase);
    EXPECT_EQ(store.ReadValueById(1000000000 + 5 * 100), 0);  // reported, not grown
    EXPECT_EQ(UserDataBase.GetDBDataCount(0), 2);
    EXPECT_EQ(store.ReadValueById(1100000000 + 5 * 100), 0);
    EXPECT_EQ(CDataBase.GetDBDataCount(0), 6);
    store.StoreStringById(1100000000 + 7 * 100 + 1, "seven");
    EXPECT_EQ(CDataBase.GetDBDataCount(0), 8);
    EXPECT_EQ(store.ReadStringById(1100000000 + 7 * 100 + 1), "seven");
}

TEST_F(VariableAccess, ContentsBeyondTheTypeStoreNothing) {
    GiveTwoContents(CDataBase);
    store.StoreValueById(1100000000 + 0 * 100 + 50, 3);
    store.StoreStringById(1100000000 + 0 * 100 + 50, "x");
    EXPECT_EQ(CDataBase.types[0].records[0].numbers, std::vector<std::int32_t>{10});
    EXPECT_TRUE(ReportCapture::errors().empty());
}

TEST_F(VariableAccess, AGivenDataBaseIsUsedForTheChangeableRange) {
    DataBase slot;
    GiveTwoContents(slot);
    store.StoreValueById(1100000000 + 1 * 100 + 0, 99, &slot);
    EXPECT_EQ(slot.types[0].records[1].numbers[0], 99);
    EXPECT_EQ(store.ReadValueById(1100000000 + 1 * 100 + 0, &slot), 99);
    EXPECT_EQ(store.ReadStringById(1100000000 + 0 * 100 + 1, &slot), "ten");
}

TEST_F(VariableAccess, MapOverrideConsumption) {
    GiveTwoContents(UserDataBase);
    struct Step {
        const char* name;
        std::function<void()> access;
        bool consumed;
    };
    const Step steps[] = {
        {"number read", [&] { store.ReadValueById(2000000); }, true},
        {"number store", [&] { store.StoreValueById(2000000, 1); }, true},
        {"literal read", [&] { store.ReadValueById(5); }, true},
        {"text store", [&] { store.StoreStringById(3000000, "a"); }, true},
        {"text store to a database", [&] { store.StoreStringById(1000000000 + 1, "b"); }, true},
        {"text read", [&] { store.ReadStringById(3000000); }, false},
        {"number read of a database", [&] { store.ReadValueById(1000000000); }, false},
        {"number store to a database", [&] { store.StoreValueById(1000000000, 3); }, false},
    };
    for (const Step& step : steps) {
        store.mapOverride = 6;
        step.access();
        EXPECT_EQ(store.mapOverride, step.consumed ? -1 : 6) << step.name;
    }
}

struct ReportCase {
    const char* name;
    std::function<void(VariableStore&)> access;
    const char8_t* line1;
    bool pointLine;
    bool targetLine;
};

class VariableReports : public ::testing::TestWithParam<ReportCase> {};

TEST_P(VariableReports, ShowTheirThreeLines) {
    FreshGameState();
    ReportCapture reports;
    for (DataBase* database : {&UserDataBase, &CDataBase, &SysDataBase}) {
        database->types.resize(1);
        database->types[0].contentCodes = {1000, 2000};
    }
    TheProcessingPoint = {3, 4, 5};
    const ReportCase& report = GetParam();
    report.access(TheVariableStore);
    ASSERT_EQ(ReportCapture::errors().size(), 1u);
    const auto& lines = ReportCapture::errors()[0];
    EXPECT_EQ(lines.line1, test::Sjis(report.line1));
    EXPECT_EQ(lines.line2, report.pointLine ? GetProcessingPointText() : "");
    EXPECT_EQ(lines.line3.empty(), !report.targetLine);
}

DataBase& GivenDataBase() {
    static DataBase given;
    given = CDataBase;
    return given;
}

INSTANTIATE_TEST_SUITE_P(
    AllSixteen, VariableReports,
    ::testing::Values(
        ReportCase{"StoreBelowRange", [](VariableStore& s) { s.StoreValueById(999999, 1); },
                   u8"格納先IDが1000000未満です => 999999", true, false},
        ReportCase{"StoreRetiredCommonSelf", [](VariableStore& s) { s.StoreValueById(1500000, 1); },
                   u8"格納先IDが1500000～1600000[旧ｺﾓﾝｲﾍﾞﾝﾄｾﾙﾌ変数指定]です、格納できません", true,
                   false},
        ReportCase{"NumberIntoCommonString",
                   [](VariableStore& s) { s.StoreValueById(15000007, 1); },
                   u8"整数をコモンセルフの文字列域に代入しようとしました", false, false},
        ReportCase{
            "TextIntoChangeableDataBase", [](VariableStore& s) { s.StoreValueById(1100000001, 1); },
            u8"可変DBの「変数」を格納すべき場所に「文字列変数」を代入しようとしました", true, true},
        ReportCase{"TextIntoUserDataBase",
                   [](VariableStore& s) { s.StoreValueById(1000000001, 1); },
                   u8"ユーザDBの「変数」を格納すべき場所に「文字列変数」を代入しようとしました",
                   true, true},
        ReportCase{"TextIntoSystemDataBase",
                   [](VariableStore& s) { s.StoreValueById(1300000001, 1); },
                   u8"システムDBの「変数」を格納すべき場所に「文字列変数」を代入しようとしました",
                   true, true},
        ReportCase{"StoreUnassignedDataBase",
                   [](VariableStore& s) { s.StoreValueById(1200000000, 8); },
                   u8"格納先 1200000000 代入値 8  変数処理:エラー、代入できません", true, false},
        ReportCase{"StringIntoRetiredCommonSelf",
                   [](VariableStore& s) { s.StoreStringById(1500000, "a"); },
                   u8"格納先IDが1500000～1600000[旧ｺﾓﾝｲﾍﾞﾝﾄｾﾙﾌ変数指定]です､格納できません", true,
                   false},
        ReportCase{"TextIntoCommonNumber",
                   [](VariableStore& s) { s.StoreStringById(15000001, "a"); },
                   u8"文字列をコモンセルフの整数域に代入しようとしました", true, true},
        ReportCase{"NumberIntoLiveChangeableDataBase",
                   [](VariableStore& s) { s.StoreStringById(1100000000, "a"); },
                   u8"DBの「文字列」を格納すべき場所に「変数」を代入しようとしました", true, true},
        ReportCase{"NumberIntoGivenChangeableDataBase",
                   [](VariableStore& s) { s.StoreStringById(1100000000, "a", &GivenDataBase()); },
                   u8"可変DBの「文字列」を格納すべき場所に「変数」を代入しようとしました", true,
                   true},
        ReportCase{
            "NumberIntoUserDataBase", [](VariableStore& s) { s.StoreStringById(1000000000, "a"); },
            u8"ユーザDBの「文字列」を格納すべき場所に「変数」を代入しようとしました", true, true},
        ReportCase{"NumberIntoSystemDataBase",
                   [](VariableStore& s) { s.StoreStringById(1300000000, "a"); },
                   u8"システムDBの「文字列」を格納すべき場所に「変数」を代入しようとしました", true,
                   true},
        ReportCase{"TextIntoNumberId", [](VariableStore& s) { s.StoreStringById(2000000, "ab"); },
                   u8"格納先 2000000 代入値「ab」  "
                   u8"文字列操作：「文字列」を格納すべき場所に「変数」を代入しようとしました",
                   true, false},
        ReportCase{"ReadRetiredCommonSelf", [](VariableStore& s) { s.ReadValueById(1599999); },
                   u8"読込先IDが1500000～1600000[旧ｺﾓﾝｲﾍﾞﾝﾄｾﾙﾌ変数]です、読み込めません", true,
                   false},
        ReportCase{"ReadStringAsNumber", [](VariableStore& s) { s.ReadValueById(3000004); },
                   u8"「変数」呼び出し時の呼び出しIDが不適切です => ID 3000004", true, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace game
