#include "game/core/database.h"

#include <gtest/gtest.h>

#include <string>

#include "game/core/processing_point.h"
#include "game/core/shift_jis_byte_kind.h"
#include "tests/game/core/report_capture.h"

namespace game {
namespace {

constexpr char kNoData[] = "\x81~NoData";  // "×NoData"

// Type 0: codes [1000, 2000, 1001] with two records; type 1: no records.
DataBase SampleBase() {
    DataBase db;
    db.types.resize(2);
    db.typeDescs.resize(2);
    DataBaseType& items = db.types[0];
    items.contentCodes = {1000, 2000, 1001};
    items.records = {{{10, 11}, {"sword"}}, {{20, 21}, {"shield"}}};
    DataBaseTypeDesc& desc = db.typeDescs[0];
    desc.typeName = "Items";
    desc.dataNames = {"Sword", "Shield"};
    desc.contentNames = {"price", "label", "weight"};
    desc.contentDefaults = {5, 0, 7};
    db.types[1].records.clear();
    db.typeDescs[1].contentDefaults = {33};
    return db;
}

TEST(DataBase, CountsAndKinds) {
    const DataBase db = SampleBase();
    EXPECT_EQ(db.GetDBTypeCount(), 2);
    EXPECT_EQ(db.GetDBDataCount(0), 2);
    EXPECT_EQ(db.GetDBDataCount(1), -1);  // a type without records
    EXPECT_EQ(db.GetDBDataCount(2), -1);
    EXPECT_EQ(db.GetDBContentKind(0, 1), 2);
    EXPECT_EQ(db.GetDBContentKind(0, 3), -1);
}

TEST(DataBase, ValueReadsAndTheirReports) {
    struct Case {
        int type, data, content;
        std::int32_t result;
        bool reported;
        bool pointLine;  // the processing point on the second line
    };
    const Case cases[] = {
        {0, 1, 2, 21, false, false},  {0, 0, 1, 0, false, false},  {0, 2, 0, 5, true, false},
        {1, 0, 0, 33, true, false},   {1, 0, 9, 0, true, false},   {2, 0, 0, 0, true, true},
        {0, -2, 0, -1, false, false}, {0, 0, 3, -1, false, false}, {-1, 0, 0, 0, false, false},
    };
    TheProcessingPoint = {3, 4, 5};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << "," << c.data << "," << c.content);
        DataBase db = SampleBase();
        ReportCapture capture;
        DBReadError = 0;
        EXPECT_EQ(db.ReadDBValue(c.type, c.data, c.content), c.result);
        EXPECT_EQ(capture.errors().size(), c.reported ? 1u : 0u);
        EXPECT_EQ(DBReadError, c.reported ? 1 : 0);
        if (c.reported) {
            EXPECT_EQ(capture.errors()[0].line2, c.pointLine ? GetProcessingPointText() : "");
        }
    }
}

TEST(DataBase, StringReadsAndTheirReports) {
    DataBase db = SampleBase();
    ReportCapture capture;
    EXPECT_EQ(db.ReadDBString(0, 1, 1), "shield");
    std::string out;
    db.ReadDBString(0, 0, 1, &out);
    EXPECT_EQ(out, "sword");
    DBReadError = 0;
    EXPECT_EQ(db.ReadDBString(0, 0, 0), "<<ERROR>>");  // a number content: no report
    EXPECT_TRUE(capture.errors().empty());
    EXPECT_EQ(DBReadError, 0);
    EXPECT_EQ(db.ReadDBString(0, 0, 3), "<<ERROR>>");
    ASSERT_EQ(capture.errors().size(), 1u);
    // "Type%d ﾃﾞｰﾀ番号%d 内容%d(Max%d)" with Max the content count
    EXPECT_EQ(capture.errors()[0].line2,
              "Type0 \xC3\xDE\xB0\xC0\x94\xD4\x8D\x86"
              "0 \x93\xE0\x97"
              "e3(Max3)");
    EXPECT_EQ(capture.errors()[0].line3, GetProcessingPointText());
    EXPECT_EQ(DBReadError, 1);
}

TEST(DataBase, WritesCheckTheAddressAndTheKind) {
    DataBase db = SampleBase();
    EXPECT_TRUE(db.WriteDBValue(0, 1, 2, 99));
    EXPECT_EQ(db.types[0].records[1].numbers[1], 99);
    EXPECT_FALSE(db.WriteDBValue(0, 1, 1, 1));
    EXPECT_FALSE(db.WriteDBValue(0, 5, 0, 1));
    EXPECT_FALSE(db.WriteDBValue(-1, 0, 0, 1));
    EXPECT_TRUE(db.WriteDBString(0, 0, 1, "axe"));
    EXPECT_FALSE(db.WriteDBString(0, 0, 0, "axe"));
    EXPECT_FALSE(db.WriteDBString(0, 0, 7, "axe"));
    EXPECT_EQ(*db.GetDBValuePointer(0, 0, 2, 0), 1001);
    EXPECT_EQ(*db.GetDBValuePointer(0, 0, 2, 1), 11);
    EXPECT_EQ(db.GetDBValuePointer(0, 0, 1, 1), nullptr);
    EXPECT_EQ(db.GetDBValuePointer(0, 2, 0, 1), nullptr);
}

TEST(DataBase, NamesFollowTheirSources) {
    DataBase db;
    db.types.resize(5);
    db.typeDescs.resize(5);
    for (int t = 0; t < 5; ++t) {
        db.types[static_cast<std::size_t>(t)].records.resize(3);
        db.typeDescs[static_cast<std::size_t>(t)].dataNames = {"n" + std::to_string(t), "m"};
    }
    db.types[0].nameSource = 2;
    db.types[1].records[0].strings = {"first text"};
    db.types[1].nameSource = 1;
    for (int t : {2, 3, 4})
        db.types[static_cast<std::size_t>(t)].nameSource = 2;
    db.typeDescs[1].dataNames.push_back("x");

    EXPECT_EQ(db.GetDBDataName(0, 0), kNoData);  // name source 2 on type 0
    EXPECT_EQ(db.GetDBDataName(1, 0), "first text");
    EXPECT_EQ(db.GetDBDataName(4, 0), "first text");
    EXPECT_EQ(db.GetDBDataName(4, 2), kNoData);  // beyond this type's data names
    EXPECT_EQ(db.GetDBTypeName(5), kNoData);
    EXPECT_EQ(db.GetDBContentName(0, 1), kNoData);

    db.types[0].nameSource = 10003;
    EXPECT_EQ(db.GetDBDataName(0, 1), "");  // links not set yet
    db.sysDataBase = &db;
    db.types[3].nameSource = 10000;  // 0 -> 3 -> 0 -> ...: a cycle ends with no data
    EXPECT_EQ(db.GetDBDataName(0, 1), kNoData);
    db.types[3].nameSource = 0;
    EXPECT_EQ(db.GetDBDataName(0, 1), "m");
}

TEST(DataBase, ResizeCutsAndGrowsRecordsAndNames) {
    DataBase db = SampleBase();
    db.ResizeDBDataList(0, 1);
    EXPECT_EQ(db.types[0].records.size(), 1u);
    EXPECT_EQ(db.typeDescs[0].dataNames.size(), 1u);
    db.ResizeDBDataList(0, 3);
    ASSERT_EQ(db.types[0].records.size(), 3u);
    EXPECT_EQ(db.types[0].records[2].numbers, (std::vector<std::int32_t>{5, 7}));
    EXPECT_EQ(db.types[0].records[2].strings, std::vector<std::string>{""});
    EXPECT_EQ(db.typeDescs[0].dataNames, (std::vector<std::string>{"Sword", "", ""}));

    ReportCapture capture;
    const DataBase before = db;
    db.ResizeDBDataList(2, 4);
    EXPECT_EQ(capture.errors().size(), 1u);
    EXPECT_EQ(db.types[0].records.size(), before.types[0].records.size());
}

TEST(DataBase, ResetGivesNumbersTheirDefaults) {
    DataBase db = SampleBase();
    db.ResetDBRecord(0, 1);
    EXPECT_EQ(db.types[0].records[1].numbers, (std::vector<std::int32_t>{5, 7}));
    EXPECT_EQ(db.types[0].records[1].strings[0], "");
    ReportCapture capture;
    db.ResetDBRecord(9, 0);
    db.ResetDBRecord(0, 9);
    EXPECT_EQ(capture.errors().size(), 1u);
}

TEST(DataBase, ConstructionResetsTheLoaderGlobals) {
    DBFileVersion = 0xC0;
    DBFromSaveBuffer = 1;
    const DataBase fresh;
    EXPECT_EQ(DBFileVersion, 0xC1);
    EXPECT_EQ(DBFromSaveBuffer, 0);
    EXPECT_EQ(fresh.keepDataNames, 1);
    EXPECT_EQ(fresh.sysDataBase, nullptr);
}

TEST(ShiftJisByteKind, WalksLeadAndTrailBytes) {
    const std::string text = "A\x82\xA0\x95\x5C";  // "A", "あ", "表"
    const int expected[] = {0, 1, 2, 1, 2, 0};
    for (std::size_t n = 0; n < 6; ++n)
        EXPECT_EQ(GetShiftJisByteKind(text, n), expected[n]) << n;
    EXPECT_EQ(GetShiftJisByteKind(std::string("\x82\0\x82", 3), 2), 0);
}

}  // namespace
}  // namespace game
