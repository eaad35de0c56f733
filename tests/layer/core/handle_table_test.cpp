#include "layer/core/handle_table.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <vector>

namespace {

struct TestRecord {
    int CheckNo;
    int* DeleteNotice;
    int payload;
};

using GraphTable = layer::HandleTable<TestRecord, layer::kGraphHandleKind>;
using LightTable = layer::HandleTable<TestRecord, layer::kLightHandleKind>;

// The tables are large; each test gets its own on the heap.
class HandleTableTest : public testing::Test {
  protected:
    void TearDown() override { table->Reset(); }

    // Adds records until the table holds `count`, returning their handles.
    std::vector<int> Fill(int count) {
        std::vector<int> handles;
        for (int i = 0; i < count; ++i) {
            handles.push_back(table->Add(nullptr));
        }
        return handles;
    }

    std::unique_ptr<GraphTable> table = std::make_unique<GraphTable>();
};

TEST_F(HandleTableTest, FirstHandlesCarryKindSlotAndCheck) {
    EXPECT_EQ(table->Add(nullptr), 0x08000000);
    EXPECT_EQ(table->Add(nullptr), 0x08010001);
    EXPECT_EQ(table->count(), 2);
    EXPECT_EQ(table->used_end(), 2);
}

TEST_F(HandleTableTest, StoresTheCheckNumberInTheRecord) {
    TestRecord* record = nullptr;
    table->Add(nullptr);
    const int handle = table->Add(&record);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->CheckNo, 1);
    EXPECT_EQ(table->Find(handle), record);
}

TEST_F(HandleTableTest, CheckNumbersWrapAfter2047) {
    for (int i = 0; i < layer::kCheckNumberCount; ++i) {
        table->Remove(table->Add(nullptr));
    }
    EXPECT_EQ(table->next_check(), 0);
    EXPECT_EQ(table->Add(nullptr), 0x08000000);
}

TEST_F(HandleTableTest, ReusedSlotRefusesTheStaleHandle) {
    const int stale = table->Add(nullptr);
    ASSERT_EQ(table->Remove(stale), 0);
    const int fresh = table->Add(nullptr);
    EXPECT_EQ(fresh & 0xFFFF, stale & 0xFFFF);
    EXPECT_EQ(table->Find(stale), nullptr);
    EXPECT_EQ(table->Remove(stale), -1);
    EXPECT_NE(table->Find(fresh), nullptr);
}

TEST_F(HandleTableTest, DeletingTheTopmostLowersTheUsedEndPastHoles) {
    const std::vector<int> handles = Fill(5);
    table->Remove(handles[2]);
    table->Remove(handles[3]);
    EXPECT_EQ(table->used_end(), 5);
    table->Remove(handles[4]);
    EXPECT_EQ(table->used_end(), 2);
}

TEST_F(HandleTableTest, DeletingTheLastRecordRestartsAtSlotZero) {
    const std::vector<int> handles = Fill(3);
    table->Remove(handles[0]);
    table->Remove(handles[2]);
    table->Remove(handles[1]);
    EXPECT_EQ(table->used_end(), 0);
    EXPECT_EQ(table->Add(nullptr) & 0xFFFF, 0);
}

TEST_F(HandleTableTest, AHoleInTheMiddleIsNotReusedBeforeTheEnd) {
    const std::vector<int> handles = Fill(4);
    table->Remove(handles[1]);
    EXPECT_EQ(table->used_end(), 4);
    EXPECT_EQ(table->Add(nullptr) & 0xFFFF, 4);
}

TEST_F(HandleTableTest, AtTheEndTheFirstHoleIsReused) {
    const std::vector<int> handles = Fill(GraphTable::kSize);
    table->Remove(handles[5]);
    table->Remove(handles[9]);
    EXPECT_EQ(table->Add(nullptr) & 0xFFFF, 5);
    EXPECT_EQ(table->used_end(), GraphTable::kSize);
    EXPECT_EQ(table->Add(nullptr) & 0xFFFF, 9);
}

struct RefusedCase {
    const char* name;
    int value;

    friend void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }
};

class RefusedHandleTest : public HandleTableTest,
                          public testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedHandleTest, IsNotFound) {
    Fill(2);
    EXPECT_EQ(table->Find(GetParam().value), nullptr);
    EXPECT_EQ(table->Remove(GetParam().value), -1);
    EXPECT_EQ(table->count(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RefusedHandleTest,
    testing::Values(RefusedCase{"BackScreen", -2}, RefusedCase{"FrontScreen", -4},
                    RefusedCase{"None", -1}, RefusedCase{"SlotWithBit15", 0x08008000},
                    RefusedCase{"SlotWithBit15AndCheck", 0x08018001},
                    RefusedCase{"SoundKind", 0x10000000}, RefusedCase{"SurfaceKind", 0x28010001},
                    RefusedCase{"WrongCheck", 0x08050000}, RefusedCase{"EmptySlot", 0x08000007}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return info.param.name; });

TEST_F(HandleTableTest, NoticesReadZeroUntilDeletedByTheWholesaleLoop) {
    std::vector<int> notices(6, 7);
    for (int& notice : notices) {
        TestRecord* record = nullptr;
        table->Add(&record);
        record->DeleteNotice = &notice;
        notice = 0;
    }
    std::vector<int> visited;
    table->DeleteAll([&](int handle) {
        visited.push_back(handle & 0xFFFF);
        table->Remove(handle);
    });
    EXPECT_EQ(visited, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(notices, std::vector<int>(6, 1));
    EXPECT_EQ(table->count(), 0);
    EXPECT_EQ(table->used_end(), 0);
}

TEST_F(HandleTableTest, WholesaleLoopStopsAtALoweredUsedEnd) {
    const std::vector<int> handles = Fill(4);
    std::vector<int> visited;
    table->DeleteAll([&](int handle) {
        visited.push_back(handle & 0xFFFF);
        table->Remove(handle);
        // Deleting the topmost as well lowers the used end below slots not yet visited.
        table->Remove(handles[3]);
        table->Remove(handles[2]);
    });
    EXPECT_EQ(visited, (std::vector<int>{0, 1}));
}

TEST_F(HandleTableTest, AddAtTakesOnlyAFreeSlotInsideTheTable) {
    EXPECT_EQ(table->AddAt(7, nullptr), layer::MakeLayerHandle(layer::kGraphHandleKind, 0, 7));
    EXPECT_EQ(table->used_end(), 8);
    EXPECT_EQ(table->AddAt(7, nullptr), -1);
    EXPECT_EQ(table->AddAt(GraphTable::kSize, nullptr), -1);
    EXPECT_EQ(table->AddFirstFree(nullptr) & 0xFFFF, 0);
}

TEST(HandleTableDeathTest, AFullGraphTableEndsTheProcess) {
    EXPECT_EXIT(
        {
            auto table = std::make_unique<GraphTable>();
            for (int i = 0; i <= GraphTable::kSize; ++i) {
                table->Add(nullptr);
            }
        },
        testing::ExitedWithCode(255), "");
}

TEST(HandleTableKinds, LightHandlesCarryTheirKind) {
    auto table = std::make_unique<LightTable>();
    EXPECT_EQ(table->Add(nullptr), 0x60000000);
    table->Reset();
}

}  // namespace
