#include "game/core/database.h"
#include "tests/game/interpreter/family_fixture.h"

namespace game {
namespace {

class DatabaseOperationTest : public FamilyTest {
  protected:
    void SetUp() override {
        FamilyTest::SetUp();
        for (DataBase* database : {&CDataBase, &SysDataBase, &UserDataBase}) {
            database->types.resize(4);
            database->typeDescs.resize(4);
            database->types[3].contentCodes = {1000, 2000};
            database->typeDescs[3].contentDefaults = {7, 0};
            database->types[3].records.clear();
            database->ResizeDBDataList(3, 10);
        }
    }
    static std::int32_t Number(DataBase& database, int data) {
        return database.ReadDBValue(3, data, 0);
    }
};

constexpr std::int32_t Write(int op, int selector = 0, int mode = 0) {
    return mode | (op << 4) | (selector << 8);
}
constexpr std::int32_t Read(int op, int selector = 0, int mode = 0) {
    return Write(op, selector, mode) | 0x1000;
}

TEST_F(DatabaseOperationTest, WritingPastTheLastRecordGrowsTheType) {
    for (const bool prepared : {false, true}) {
        SetUp();
        Run(tools::CommandListBuilder().Add(250, {3, 12, 0, Write(0), 55}), prepared);
        EXPECT_EQ(CDataBase.GetDBDataCount(3), 13) << prepared;
        EXPECT_EQ(Number(CDataBase, 12), 55);
        EXPECT_EQ(Number(CDataBase, 11), 7);
    }
}

TEST_F(DatabaseOperationTest, ZeroDivisorsInBothPaths) {
    for (const bool prepared : {false, true}) {
        SetUp();
        CDataBase.WriteDBValue(3, 1, 0, 9);
        CDataBase.WriteDBValue(3, 2, 0, 9);
        Run(tools::CommandListBuilder()
                .Add(250, {3, 1, 0, Write(4), 0})
                .Add(250, {3, 2, 0, Write(5), 0}),
            prepared);
        EXPECT_EQ(Number(CDataBase, 1), 9) << prepared;
        EXPECT_EQ(Number(CDataBase, 2), 0) << prepared;
    }
}

TEST_F(DatabaseOperationTest, GeneralWritesGoToTheChangeableDatabase) {
    Run(tools::CommandListBuilder().Add(250, {3, Var(50), 0, Write(0, 1), 5}));
    EXPECT_EQ(Number(CDataBase, 0), 5);
    EXPECT_EQ(Number(SysDataBase, 0), 7);
}

TEST_F(DatabaseOperationTest, CountsWithTheSpareSoundRecords) {
    SysDataBase.types.resize(4);
    SysDataBase.ResizeDBDataList(2, 15);
    V(8) = 2;
    Run(tools::CommandListBuilder()
            .Add(250, {2, -1, 0, Read(0, 1), Var(1)})
            .Add(250, {Var(8), -1, 0, Read(0, 1), Var(2)})
            .Add(250, {9, -1, 0, Read(0, 0), Var(3)})
            .Add(250, {9, 0, -1, Read(0, 0), Var(4)}));
    EXPECT_EQ(V(1), 5);
    EXPECT_EQ(V(2), 15);
    EXPECT_EQ(V(3), -1);
    EXPECT_EQ(V(4), -1);
}

TEST_F(DatabaseOperationTest, ReportsAndChangesNothing) {
    struct Case {
        const char* what;
        std::vector<std::int32_t> args;
        std::vector<std::string> strings;
        std::size_t boxes;
    };
    const Case cases[] = {
        {"type name", {0, 0, 0, Write(0) | 0x10000, 1}, {"", "Nope", "", ""}, 1},
        {"negative type and content", {-1, 0, -1, Write(0), 1}, {}, 2},
        {"number content from a text", {3, 0, 0, Write(0), Str(1)}, {}, 1},
        {"text content from a number", {3, 0, 1, Write(0), Var(1)}, {}, 1},
        {"text mode into a number", {3, 0, 0, Write(0, 0, 2), 0}, {"x"}, 1},
        {"number content into a text", {3, 0, 0, Read(0), Str(1)}, {}, 1},
        {"data name into a number", {3, 0, -3, Read(0), Var(1)}, {}, 1},
    };
    for (const Case& c : cases) {
        SetUp();
        ReportCapture::errors().clear();
        std::vector<std::int32_t> args = c.args;
        Run(tools::CommandListBuilder().Add(250, args, c.strings));
        EXPECT_EQ(ReportCapture::errors().size(), c.boxes) << c.what;
        EXPECT_EQ(Number(CDataBase, 0), 7) << c.what;
        EXPECT_EQ(V(1), 0) << c.what;
    }
}

TEST_F(DatabaseOperationTest, ResetOfATypeUsesTheChangeableDatabase) {
    CDataBase.WriteDBValue(3, 4, 0, 1);
    SysDataBase.WriteDBValue(3, 4, 0, 1);
    Run(tools::CommandListBuilder().Add(250, {3, -2, 0, Write(0, 1), 0}));
    EXPECT_EQ(Number(CDataBase, 4), 7);
    EXPECT_EQ(Number(SysDataBase, 4), 1);
}

TEST_F(DatabaseOperationTest, TextModeAppendsTheExpandedString) {
    CDataBase.WriteDBString(3, 0, 1, "ab");
    Run(tools::CommandListBuilder().Add(250, {3, 0, 1, Write(1, 0, 2), 0}, {"cd"}));
    EXPECT_EQ(CDataBase.ReadDBString(3, 0, 1), "abcd");
}

// Data numbers past 9999 have no ID of their own (data 12000 of type 3 would name data 2000 of
// type 4); the prepared path serves them all the same, growing the type.
TEST_F(DatabaseOperationTest, ThePreparedPathServesDataPastTheIdRange) {
    Run(tools::CommandListBuilder()
            .Add(250, {3, 12000, 0, Write(0), 55})
            .Add(250, {3, 12000, 0, Read(0), Var(1)})
            .Add(250, {3, 15000, 0, Read(0), Var(2)}),
        true);
    EXPECT_EQ(CDataBase.GetDBDataCount(3), 12001);
    EXPECT_EQ(Number(CDataBase, 12000), 55);
    EXPECT_EQ(V(1), 55);
    EXPECT_EQ(V(2), 7);
    EXPECT_TRUE(ReportCapture::errors().empty());
}

TEST_F(DatabaseOperationTest, PreparedCellsSurviveGrowth) {
    tools::CommandListBuilder b;
    b.Add(250, {3, 2, 0, Read(0), Var(4)});
    b.Add(250, {3, 900, 0, Write(0), 1});
    b.Add(121, {Var(99), 0, 3, VarOp(0, 0)});
    SetCommon(0, b, true);
    TheVariableStore.StoreValueById(Var(90000), 1);  // far beyond the set's end
    CDataBase.WriteDBValue(3, 2, 0, 42);
    RunCommon(0);
    EXPECT_EQ(V(4), 42);
    EXPECT_EQ(V(99), 3);
    EXPECT_EQ(CDataBase.GetDBDataCount(3), 901);
}

}  // namespace
}  // namespace game
