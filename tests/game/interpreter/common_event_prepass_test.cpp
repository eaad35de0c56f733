#include "game/core/database_name_maps.h"
#include "tests/game/interpreter/family_fixture.h"

namespace game {
namespace {

using Prepass = FamilyTest;

const EventCommand& Line(int index) {
    return CommonEvents.events[0].commands[static_cast<std::size_t>(index)];
}

std::vector<std::int32_t*> Cells(std::initializer_list<std::int32_t*> cells) {
    return cells;
}

TEST_F(Prepass, SimpleOperationsBecomeFastCodes) {
    tools::CommandListBuilder b;
    b.Add(121, {Var(5), Var(6), 3, VarOp(1, 1)});
    b.Add(121, {Var(5), Var(6), 3, VarOp(4, 1)});
    b.Add(121, {Var(5), Var(6), 0, VarOp(0, 0)});
    b.Add(121, {Var(5), 1000000000, 0, VarOp(0, 0)});
    SetCommon(0, b, true);
    EXPECT_EQ(Line(0).args[0], 210011);
    EXPECT_EQ(Line(0).preparedPointers,
              Cells({&V(5), &V(6), const_cast<std::int32_t*>(&Line(0).args[3])}));
    EXPECT_EQ(Line(1).args[0], 121);
    EXPECT_EQ(Line(1).preparedInts, (std::vector<std::int32_t>{1, 4, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Line(2).args[0], 210000);
    EXPECT_EQ(Line(2).preparedInts[0], 2);
    EXPECT_EQ(Line(3).args[0], 121);
    EXPECT_TRUE(Line(3).preparedInts.empty());
}

TEST_F(Prepass, ABranchWithTwoCasesAndAnElse) {
    tools::CommandListBuilder b;
    b.Add(111, {2, Var(1), 1, 0x12, Var(1), Var(2), 0x02});  // 0
    b.Add(401, {1});                                         // 1
    b.Add(0, {}, {}, 1);                                     // 2
    b.Add(401, {2});                                         // 3
    b.Add(420, {0});                                         // 4
    b.Add(499);                                              // 5
    SetCommon(0, b, true);
    EXPECT_EQ(Line(0).preparedInts, (std::vector<std::int32_t>{1, 2, 2, 2, 0, 1, 3, 0, 4}));
    EXPECT_EQ(Line(0).preparedPointers,
              Cells({&V(1), const_cast<std::int32_t*>(&Line(0).args[3]), &V(1), &V(2)}));
    for (int l : {1, 3, 4})
        EXPECT_EQ(Line(l).preparedInts, (std::vector<std::int32_t>{2, 5})) << l;
}

TEST_F(Prepass, BranchesThatCannotBePreparedLeaveTheirCasesToThemselves) {
    tools::CommandListBuilder b;
    b.Add(111, {4, Var(1), 1, 2, Var(1), 2, 2, Var(1), 3, 2, Var(1), 4, 2});  // 0: four
    b.Add(401, {1});                                                          // 1
    b.Add(499);                                                               // 2
    b.Add(111, {1, 1100000000, 1, 2});                                        // 3: changeable DB
    b.Add(401, {1});                                                          // 4
    b.Add(499);                                                               // 5
    b.Add(111, {2, Var(1), 1, 0x12, Var(1), 2, 0x12});                        // 6: one case of two
    b.Add(401, {1});                                                          // 7
    b.Add(499);                                                               // 8
    SetCommon(0, b, true);
    for (int l : {0, 3, 6})
        EXPECT_TRUE(Line(l).preparedInts.empty()) << l;
    EXPECT_EQ(Line(1).preparedInts, (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(Line(4).preparedInts, (std::vector<std::int32_t>{1, 5}));
    EXPECT_EQ(Line(7).preparedInts, (std::vector<std::int32_t>{1, 8}));
}

TEST_F(Prepass, LabelJumpsCarryTheirLoopChanges) {
    tools::CommandListBuilder b;
    b.Add(213, {}, {"in"});        // 0: into an endless loop after it
    b.Add(170);                    // 1
    b.Add(212, {}, {"in"}, 1);     // 2
    b.Add(498);                    // 3
    b.Add(179, {3});               // 4
    b.Add(213, {}, {"after"}, 1);  // 5: out of a counted loop
    b.Add(498);                    // 6
    b.Add(212, {}, {"after"});     // 7
    b.Add(213, {}, {"\\v[1]"});    // 8: expanded when run
    b.Add(213, {}, {"nowhere"});   // 9
    SetCommon(0, b, true);
    EXPECT_EQ(Line(0).preparedInts, (std::vector<std::int32_t>{1, 2, 1, 0, 2000000000}));
    EXPECT_EQ(Line(5).preparedInts, (std::vector<std::int32_t>{1, 7, 1, -1, -1}));
    EXPECT_TRUE(Line(8).preparedInts.empty());
    EXPECT_TRUE(Line(9).preparedInts.empty());
    EXPECT_EQ(Line(3).preparedInts, (std::vector<std::int32_t>{1, 1}));
}

TEST_F(Prepass, BrokenNestingIsLeftUnprepared) {
    tools::CommandListBuilder b;
    b.Add(498, {}, {}, 3);   // 0: no earlier line on its indent
    b.Add(498);              // 1: closes no loop
    b.Add(213, {}, {"x"});   // 2
    b.Add(212, {}, {"x"});   // 3
    b.Add(401, {1}, {}, 5);  // 4: nothing follows on its indent
    SetCommon(0, b, true);
    EXPECT_TRUE(Line(0).preparedInts.empty());
    EXPECT_TRUE(Line(2).preparedInts.empty());
    EXPECT_TRUE(Line(4).preparedInts.empty());
}

TEST_F(Prepass, PreparingAgainStartsFromTheStoredCommands) {
    tools::CommandListBuilder b;
    b.Add(121, {Var(5), Var(6), 3, VarOp(1, 1)});
    SetCommon(0, b, true);
    TheVariableStore = VariableStore();
    TheVariableStore.variableSets[0].resize(100);
    LinkCommonEventCommands();
    EXPECT_EQ(Line(0).args[0], 210011);
    EXPECT_EQ(Line(0).preparedPointers[0], &V(5));
}

class DataBasePrepass : public FamilyTest {
  protected:
    void SetUp() override {
        FamilyTest::SetUp();
        for (DataBase* database : {&CDataBase, &SysDataBase}) {
            database->types.resize(4);
            database->typeDescs.resize(4);
            database->types[3].contentCodes = {1000, 2000, 1001};
            database->typeDescs[3].contentDefaults = {7, 0, 8};
            database->ResizeDBDataList(3, 10);
        }
        DBTypeNameMaps[1]["Items"] = 3;
    }
};

TEST_F(DataBasePrepass, NamesBecomeNumbersAndNumberReadsAndWritesGetCells) {
    tools::CommandListBuilder b;
    b.Add(250, {0, 4, 2, 0x10000 | 0x100, 11}, {"", "Items", "", ""});    // 0: write, by name
    b.Add(250, {0, 4, 2, 0x10000 | 0x100, 11}, {"", "Nothing", "", ""});  // 1: unknown name
    b.Add(250, {3, 4, 1, 0, 11});                                         // 2: text content
    b.Add(250, {3, 4, 2, 0x1000, 11});                                    // 3: read to literal
    b.Add(250, {3, Var(9), 2, 0x1000, Var(4)});                           // 4: read
    SetCommon(0, b, true);
    EXPECT_EQ(Line(0).args[1], 3);
    EXPECT_EQ(Line(0).args[4], 0x100);
    EXPECT_EQ(Line(0).preparedInts, (std::vector<std::int32_t>{1, 1, 0, 0, 1}));
    EXPECT_EQ(PreparedDataBase(Line(0)), &SysDataBase);
    EXPECT_EQ(Line(0).preparedPointers[3], &SysDataBase.typeDescs[3].contentDefaults[2]);
    EXPECT_EQ(Line(1).args[4] & 0x10000, 0x10000);
    EXPECT_TRUE(Line(1).preparedInts.empty());
    EXPECT_TRUE(Line(2).preparedInts.empty());
    EXPECT_TRUE(Line(3).preparedInts.empty());
    EXPECT_EQ(Line(4).preparedInts, (std::vector<std::int32_t>{1, 1, 0, 1, 0}));
    EXPECT_EQ(Line(4).preparedPointers[1], &V(9));
    EXPECT_EQ(Line(4).preparedPointers[2], &V(4));
}

TEST_F(FamilyTest, MapEventListsAreNeverPrepared) {
    tools::CommandListBuilder b;
    b.Add(121, {Var(5), Var(6), 3, VarOp(1, 1)});
    SetCommon(0, b, true);
    EXPECT_FALSE(CommonEvents.events[0].commands[0].preparedPointers.empty());
    EXPECT_TRUE(b.Build()[0].preparedPointers.empty());
}

}  // namespace
}  // namespace game
