// A save file the game refuses is never written over: it is kept beside itself first.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "game/core/format_text.h"
#include "game/save/save_file.h"
#include "game/save/slot_variables.h"
#include "platform/file_hooks.h"
#include "tests/game/save/save_fixture.h"

namespace game {
namespace {

using Bytes = std::vector<std::uint8_t>;

class RefusedSaveTest : public SaveTest {
  protected:
    void TearDown() override {
        platform::FailNextRenames(0);
        SaveTest::TearDown();
    }

    static std::string SlotFile(int slot) { return FormatText("Save/SaveData%.2i.sav", slot); }
    static std::string KeptLine(int slot, int copy) {
        return FormatText(
            "Save\\SaveData%.2i.sav is no save this game accepts; it is kept as "
            "Save\\SaveData%.2i.sav.refused-%d\n",
            slot, slot, copy);
    }

    // A save of this game as the game writes it, from a fresh cache.
    Bytes OwnSave(int slot, std::int32_t value) {
        V(3) = value;
        EXPECT_TRUE(WriteSaveFile(slot, true, kDefaultSavePrefix));
        TheSaveCache = SaveCache();
        return FileBytes(SlotFile(slot));
    }
    Bytes ForeignSave(int slot) {
        const std::string title = TheGameInfo.gameStrings[0];
        TheGameInfo.gameStrings[0] = test::Sjis(u8"裏のゲーム");
        Bytes bytes = OwnSave(slot, 1);
        TheGameInfo.gameStrings[0] = title;
        return bytes;
    }
    Bytes FileBytes(const std::string& relative) const {
        const std::string text = ReadFile(relative);
        return {text.begin(), text.end()};
    }
    void Put(const std::string& relative, const Bytes& bytes) {
        folder.Write(relative, bytes);
        TheSaveCache = SaveCache();
    }
    // The value the slot's file holds in variable 3, read afresh.
    std::int32_t SavedValue(int slot) {
        TheSaveCache = SaveCache();
        return GetSlotVariable(slot, 2000003, kDefaultSavePrefix);
    }
};

struct Damage {
    const char* kind;
    std::function<Bytes(const Bytes& own, const Bytes& foreign)> make;
};

// Each refused file is kept byte for byte when another slot's variable is written into its
// slot, and the slot then holds a new game state with that variable.
TEST_F(RefusedSaveTest, ARefusedSaveIsKeptBeforeASlotWriteReplacesIt) {
    const Bytes own = OwnSave(1, 42);
    const Bytes foreign = ForeignSave(2);
    const std::vector<Damage> damages = {
        {"another game's title", [](const Bytes&, const Bytes& other) { return other; }},
        {"emptied", [](const Bytes&, const Bytes&) { return Bytes{}; }},
        {"cut after its header",
         [](const Bytes& good, const Bytes&) { return Bytes(good.begin(), good.begin() + 24); }},
        {"cut before its last sentinel",
         [](const Bytes& good, const Bytes&) { return Bytes(good.begin(), good.end() - 1); }},
        {"a body byte flipped",
         [](const Bytes& good, const Bytes&) {
             Bytes bad = good;
             bad[bad.size() / 2] ^= 0x40;
             return bad;
         }},
    };
    int slot = 10;
    for (const Damage& damage : damages) {
        ++slot;
        const Bytes refused = damage.make(own, foreign);
        Put(SlotFile(slot), refused);
        testing::internal::CaptureStderr();
        SetSlotVariable(slot, 2000003, 7, kDefaultSavePrefix);
        const std::string printed = testing::internal::GetCapturedStderr();
        ASSERT_TRUE(Exists(SlotFile(slot) + ".refused-1")) << damage.kind;
        EXPECT_EQ(FileBytes(SlotFile(slot) + ".refused-1"), refused) << damage.kind;
        EXPECT_NE(printed.find(KeptLine(slot, 1)), std::string::npos) << damage.kind << printed;
        EXPECT_EQ(SavedValue(slot), 7) << damage.kind;
    }
}

TEST_F(RefusedSaveTest, AFifoInPlaceOfASaveIsKeptAsWell) {
    Put("Save/.keep", {});
    ASSERT_EQ(mkfifo(folder.tree().path(SlotFile(5)).c_str(), 0600), 0);
    testing::internal::CaptureStderr();
    ASSERT_TRUE(WriteSaveFile(5, true, kDefaultSavePrefix));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), KeptLine(5, 1));
    EXPECT_TRUE(std::filesystem::is_fifo(folder.tree().path(SlotFile(5) + ".refused-1")));
    EXPECT_TRUE(std::filesystem::is_regular_file(folder.tree().path(SlotFile(5))));
}

// The save command writes over a slot it never read: another game's save there is kept too,
// under the first name no other file has.
TEST_F(RefusedSaveTest, TheSaveCommandKeepsAForeignSaveUnderAFreeName) {
    const Bytes foreign = ForeignSave(4);
    Put(SlotFile(4) + ".refused-1", {'a'});
    Put(SlotFile(4) + ".REFUSED-2", {'b'});
    testing::internal::CaptureStderr();
    ASSERT_TRUE(WriteSaveFile(4, true, kDefaultSavePrefix));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), KeptLine(4, 3));
    EXPECT_EQ(FileBytes(SlotFile(4) + ".refused-3"), foreign);
    EXPECT_EQ(FileBytes(SlotFile(4) + ".refused-1"), Bytes{'a'});
    EXPECT_EQ(FileBytes(SlotFile(4) + ".REFUSED-2"), Bytes{'b'});
    EXPECT_TRUE(ReportCapture::errors().empty()) << "the check before the write shows nothing";
}

// A save of this game is replaced as it always was, whether it was read first or not; a slot
// written in this run is replaced without a second look.
TEST_F(RefusedSaveTest, AnAcceptedSaveIsReplacedWithNothingKept) {
    OwnSave(3, 42);
    testing::internal::CaptureStderr();
    SetSlotVariable(3, 2000003, 8, kDefaultSavePrefix);
    ASSERT_TRUE(WriteSaveFile(3, false, kDefaultSavePrefix));
    TheSaveCache = SaveCache();
    V(3) = 9;
    ASSERT_TRUE(WriteSaveFile(3, true, kDefaultSavePrefix));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(SavedValue(3), 9);
    EXPECT_FALSE(Exists(SlotFile(3) + ".refused-1"));
}

TEST_F(RefusedSaveTest, ARefusedSaveThatCannotBeKeptIsNotReplaced) {
    const Bytes foreign = ForeignSave(6);
    platform::FailNextRenames(1);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(WriteSaveFile(6, true, kDefaultSavePrefix));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Save\\SaveData06.sav is no save this game accepts and cannot be kept aside; it is "
              "not replaced\n");
    EXPECT_EQ(FileBytes(SlotFile(6)), foreign);
    EXPECT_FALSE(Exists(SlotFile(6) + ".refused-1"));
}

}  // namespace
}  // namespace game
