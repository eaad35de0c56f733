#include <gtest/gtest.h>

#include "game/core/database.h"
#include "game/core/save_buffer.h"
#include "game/interpreter/main_interpreter.h"
#include "game/save/save_fields.h"
#include "game/save/system_state_record.h"
#include "tests/game/core/fresh_game_state.h"
#include "tests/support/sjis.h"

namespace game {
namespace {

class SystemStateRecord : public testing::Test {
  protected:
    void SetUp() override { FreshGameState(); }

    static MainInterpreter Busy() {
        MainInterpreter m;
        m.PlaySeconds = 3600;
        m.DrawStep = 0.25f;
        m.ToneTarget = {-255, 10, 255};
        m.ScrollLocked = 1;
        m.TextDrawSwitch = 1;
        m.TransitionGraphic = 3;
        m.StoredGraphics = {"a.png", test::Sjis(u8"表.png")};
        m.MemberShadows = {1, 2, 3, 4, 5, 6, 7};
        m.ConfirmKey = 128;
        m.PartySpacing = 4;
        m.MessageExtraTextA = test::Sjis(u8"表");
        m.FrameCounter = 9;
        m.MusicMasterVolume = 50;
        m.CurrentMusicName = "BGM\\town.ogg";
        m.FogFile = "Fog\\mist.png";
        m.MouseCursorShown = 0;
        m.PartyFollows = 0;
        return m;
    }

    static SaveBuffer Written(const MainInterpreter& m, int version) {
        SaveBuffer save;
        save.set_version(static_cast<std::uint16_t>(version));
        EXPECT_TRUE(WriteSystemState(save, m));
        return save;
    }
};

// Known answers: the record of a default interpreter at each version is the sum of its rows'
// widths (166 bytes up to version 97, the dropped int making version 96 longer).
TEST_F(SystemStateRecord, RecordLengthsFollowTheVersionGates) {
    const struct {
        int version;
        std::size_t bytes;
    } cases[] = {{96, 170},  {97, 166},  {98, 174},  {99, 174},  {100, 231},
                 {101, 255}, {102, 257}, {103, 263}, {104, 267}, {106, 279},
                 {108, 309}, {109, 316}, {110, 317}, {111, 317}};
    for (const auto& c : cases)
        EXPECT_EQ(Written(MainInterpreter(), c.version).end(), c.bytes) << c.version;
}

TEST_F(SystemStateRecord, RowsOfLaterVersionsKeepTheirDefaults) {
    const MainInterpreter busy = Busy();
    const MainInterpreter fresh;
    for (int version : {96, 99, 104, 106, 108, 109, 111}) {
        SaveBuffer save(Written(busy, version).block());
        save.set_version(static_cast<std::uint16_t>(version));
        MainInterpreter read;
        ASSERT_TRUE(ReadSystemState(save, read)) << version;
        EXPECT_EQ(save.position(), save.end()) << version;
        EXPECT_EQ(read.PlaySeconds, 3600) << version;
        EXPECT_EQ(read.DrawStep, 0.25f) << version;
        EXPECT_EQ(read.ToneTarget, busy.ToneTarget) << version;
        EXPECT_EQ(read.ScrollLocked, 1) << version;
        auto gated = [&](int from, auto field) {
            EXPECT_EQ(read.*field, (version >= from ? busy : fresh).*field)
                << version << " row from " << from;
        };
        gated(98, &MainInterpreter::TextDrawSwitch);
        gated(100, &MainInterpreter::TransitionGraphic);
        gated(100, &MainInterpreter::StoredGraphics);
        gated(100, &MainInterpreter::MemberShadows);
        gated(101, &MainInterpreter::ConfirmKey);
        gated(102, &MainInterpreter::PartySpacing);
        gated(103, &MainInterpreter::MessageExtraTextA);
        gated(104, &MainInterpreter::FrameCounter);
        gated(106, &MainInterpreter::MusicMasterVolume);
        gated(108, &MainInterpreter::CurrentMusicName);
        gated(109, &MainInterpreter::FogFile);
        gated(109, &MainInterpreter::MouseCursorShown);
        gated(110, &MainInterpreter::PartyFollows);
    }
}

TEST_F(SystemStateRecord, ListsGrowButNeverShrinkAndKeepTheirBytes) {
    SaveBuffer save;
    WriteIntList(save, {7, 8, 9});
    WriteTextList(save, {std::string("a\0b", 3)});
    save.WriteInt(0x41414141);
    SaveBuffer load(save.block());
    std::vector<int> shadows(5, -1);
    std::vector<std::string> graphics{"x", "y"};
    ASSERT_TRUE(ReadIntList(load, shadows));
    ASSERT_TRUE(ReadTextList(load, graphics));
    EXPECT_EQ(shadows, (std::vector<int>{7, 8, 9, -1, -1}));
    EXPECT_EQ(graphics, (std::vector<std::string>{std::string("a\0b", 3), "y"}));

    std::vector<int> seven(3, 0);
    SaveBuffer longer;
    WriteIntList(longer, {1, 2, 3, 4, 5, 6, 7});
    SaveBuffer readLonger(longer.block());
    ASSERT_TRUE(ReadIntList(readLonger, seven));
    EXPECT_EQ(seven.size(), 7u);
}

TEST_F(SystemStateRecord, NegativeCountsAndLengthsAreDamage) {
    for (const std::vector<std::uint8_t>& bytes :
         {std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF},
          std::vector<std::uint8_t>{1, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF}}) {
        SaveBuffer load(bytes);
        std::vector<std::string> list;
        EXPECT_FALSE(ReadTextList(load, list));
        EXPECT_TRUE(load.readPastEnd());
    }
    SaveBuffer negative(std::vector<std::uint8_t>{0xFF, 0xFF});
    std::string text;
    EXPECT_FALSE(ReadStr16(negative, text));
    EXPECT_TRUE(negative.readPastEnd());
}

TEST_F(SystemStateRecord, LongTextsAreCutAtACharacterBoundary) {
    // 16383 two-byte characters and one more byte: the cut at 32766 bytes would split the
    // last character, so it keeps 32765.
    std::string text;
    for (int i = 0; i < 16383; ++i)
        text += test::Sjis(u8"表");
    text += "a";
    SaveBuffer save;
    WriteStr16(save, text);
    SaveBuffer load(save.block());
    std::string read;
    ASSERT_TRUE(ReadStr16(load, read));
    EXPECT_EQ(read.size(), 32766u);
    EXPECT_EQ(read, text.substr(0, 32766));

    std::string odd = "a" + text.substr(0, 32766);
    SaveBuffer cut;
    WriteStr16(cut, odd);
    SaveBuffer cutLoad(cut.block());
    ASSERT_TRUE(ReadStr16(cutLoad, read));
    EXPECT_EQ(read.size(), 32765u);
}

TEST_F(SystemStateRecord, SoundsStartedByNameAreSavedAsTheSpareMarker) {
    DataBaseType music;
    music.records.resize(13);
    SysDataBase.types = {DataBaseType(), music, music};
    const struct {
        int number;
        int saved;
    } cases[] = {{-1, -1}, {0, 0}, {2, 2}, {3, -3}, {12, -3}};
    for (const auto& c : cases) {
        MainInterpreter m;
        m.CurrentMusicNumber = c.number;
        m.CurrentBgsNumber = c.number;
        SaveBuffer save = Written(m, 111);
        SaveBuffer load(save.block());
        MainInterpreter read;
        ASSERT_TRUE(ReadSystemState(load, read));
        EXPECT_EQ(read.CurrentMusicNumber, c.saved) << c.number;
        EXPECT_EQ(read.CurrentBgsNumber, c.saved) << c.number;
    }
}

}  // namespace
}  // namespace game
