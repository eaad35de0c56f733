#include <gtest/gtest.h>

#include <filesystem>

#include "game/core/common_event.h"
#include "game/core/format_text.h"
#include "game/core/screen_state.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/run_interpreter.h"
#include "game/save/save_file.h"
#include "game/save/slot_variables.h"
#include "tests/game/save/save_fixture.h"
#include "tools/lib/command_list_builder.h"

namespace game {
namespace {

class SlotVariables : public SaveTest {
  protected:
    void SaveSlot(int slot, std::int32_t value) {
        V(3) = value;
        ASSERT_TRUE(WriteSaveFile(slot, true, kDefaultSavePrefix));
        TheSaveCache = SaveCache();
    }
    void RemoveSlotFile(int slot) {
        std::filesystem::remove(folder.tree().path(FormatText("Save/SaveData%.2i.sav", slot)));
    }
    static void RunLine(std::int32_t code, std::vector<std::int32_t> args) {
        tools::CommandListBuilder list;
        list.Add(code, std::move(args));
        TheScreenState.SceneNumber = 1;
        CommonEvents.events[0].commands = list.Build();
        EventInterpreter interpreter;
        interpreter.SetUpInterpreter(0, false);
        interpreter.StartInterpreter(CommandListRef::Common(0), -1, 0);
        RunInterpreter(interpreter);
    }
};

TEST_F(SlotVariables, NegativeSlotsAndRunningEventIdsReadNothing) {
    SaveSlot(3, 9);
    EXPECT_EQ(GetSlotVariable(-1, 2000003, kDefaultSavePrefix), 0);
    EXPECT_EQ(GetSlotString(-1, 3000000, kDefaultSavePrefix),
              test::Sjis(u8"ERROR -1番目以下のデータを読みに行っています"));
    EXPECT_EQ(GetSlotVariable(3, 1100005, kDefaultSavePrefix), 0);
    EXPECT_EQ(GetSlotVariable(3, 1600005, kDefaultSavePrefix), 0);
    EXPECT_TRUE(TheSaveCache.States.empty()) << "no file was read";
    EXPECT_EQ(GetSlotString(3, 1100005, kDefaultSavePrefix), "<<ERROR>>");
}

TEST_F(SlotVariables, ReadsComeFromTheSlotOnceAndItsOwnSystemState) {
    SaveSlot(3, 9);
    TheVariableStore.stringVariables[1] = test::Sjis(u8"表");
    ASSERT_TRUE(WriteSaveFile(4, true, kDefaultSavePrefix));
    TheSaveCache = SaveCache();
    V(3) = 1;
    EXPECT_EQ(GetSlotVariable(3, 2000003, kDefaultSavePrefix), 9);
    RemoveSlotFile(3);
    EXPECT_EQ(GetSlotVariable(3, 2000003, kDefaultSavePrefix), 9) << "read once";
    EXPECT_EQ(GetSlotVariable(3, 9000024, kDefaultSavePrefix), 1);
    EXPECT_EQ(GetSlotVariable(7, 9000024, kDefaultSavePrefix), 0);
    EXPECT_EQ(GetSlotString(4, 3000001, kDefaultSavePrefix), test::Sjis(u8"表"));
    EXPECT_EQ(GetSlotVariable(4, 1100000000, kDefaultSavePrefix), 7)
        << "the slot's changeable database";
}

TEST_F(SlotVariables, WritesCreateTheSlotAndSaveItAtOnce) {
    SetSlotVariable(6, 2000010, 123, kDefaultSavePrefix);
    ASSERT_TRUE(Exists("Save/SaveData06.sav"));
    EXPECT_EQ(GetSlotVariable(6, 2000010, kDefaultSavePrefix), 123);
    TheSaveCache = SaveCache();
    EXPECT_EQ(GetSlotVariable(6, 2000010, kDefaultSavePrefix), 123) << "from the file";
    SetSlotString(0, 3000002, "text", "Save\\Extra.dat");
    TheSaveCache = SaveCache();
    EXPECT_EQ(GetSlotString(0, 3000002, "Save\\Extra.dat"), "text");
    SetSlotVariable(-1, 2000010, 1, kDefaultSavePrefix);
    SetSlotVariable(6, 1100001, 1, kDefaultSavePrefix);
    EXPECT_EQ(TheMainInterpreter.LastSaveSlot, 0);
}

TEST_F(SlotVariables, CommandsReadAndWriteOtherSlots) {
    V(20) = 5;
    V(21) = 2000012;
    RunLine(222, {2000020, 8, 2000010});
    TheSaveCache = SaveCache();
    EXPECT_EQ(GetSlotVariable(8, 2000010, kDefaultSavePrefix), 5);
    RunLine(221, {2000030, 8, 2000010});
    EXPECT_EQ(V(30), 5);
    // Bit 0 of int 4: the id inside the slot is V21's value.
    RunLine(222, {77, 8, 2000021, 1});
    RunLine(221, {2000031, 8, 2000012});
    EXPECT_EQ(V(31), 77);
    // A string variable as slot names a whole file.
    TheVariableStore.stringVariables[0] = "Save\\Named.dat";
    RunLine(222, {3000000, 3000000, 3000005});
    EXPECT_TRUE(Exists("Save/Named.dat"));
    RunLine(221, {3000001, 3000000, 3000005});
    EXPECT_EQ(TheVariableStore.stringVariables[1], "Save\\Named.dat");
}

TEST_F(SlotVariables, TheSaveCommandTakesASlotNumberOrAName) {
    V(5) = 3;
    RunLine(220, {0, 2000005});
    EXPECT_TRUE(Exists("Save/SaveData03.sav"));
    TheVariableStore.stringVariables[0] = "Save\\Other.sav";
    RunLine(220, {0, 3000000});
    EXPECT_TRUE(Exists("Save/Other.sav"));
    RunLine(220, {1, 9});
    EXPECT_FALSE(LoadPending()) << "a missing slot loads nothing";
    EXPECT_EQ(SaveLoadedThisFrame, 0);
}

}  // namespace
}  // namespace game
