#include <gtest/gtest.h>

#include <string>

#include "game/core/game_ini.h"
#include "tests/game/core/fresh_game_state.h"
#include "tests/support/sjis.h"

namespace game {
namespace {

constexpr std::int32_t kSystemVariable = 9000000;
constexpr std::int32_t kSystemString = 9900000;

struct StoredCase {
    const char* name;
    int index;
    std::int32_t written;
    std::int32_t read;
};

class SystemVariableStores : public ::testing::TestWithParam<StoredCase> {};

TEST_P(SystemVariableStores, ReadBackWhatTheFieldKeeps) {
    FreshGameState();
    const StoredCase& c = GetParam();
    TheVariableStore.StoreValueById(kSystemVariable + c.index, c.written);
    EXPECT_EQ(TheVariableStore.ReadValueById(kSystemVariable + c.index), c.read);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SystemVariableStores,
    ::testing::Values(
        StoredCase{"SystemValue0", 0, -7, -7}, StoredCase{"MessageWindowX", 1, 40, 40},
        StoredCase{"MessageXDefault", 1, -1, 16}, StoredCase{"MessageYDefault", 2, -1, 304},
        StoredCase{"ChoiceXDefault", 3, -1, 320}, StoredCase{"ChoiceYDefault", 4, -1, 170},
        StoredCase{"PageCursorXSixteenBits", 5, 70000, 4464},
        StoredCase{"PageCursorOffsetY", 6, -3, -3}, StoredCase{"ChoiceInitialCursor", 7, 2, 2},
        StoredCase{"DefaultFontSize", 8, 18, 18}, StoredCase{"MessageSpeed", 9, 3, 3},
        StoredCase{"WindowOpenDelay", 10, 0, 0}, StoredCase{"StringPictureSpeed", 11, 9, 9},
        StoredCase{"ChoiceFadeModeByte", 14, 200, -56}, StoredCase{"KeyRepeatDelayZero", 15, 0, 1},
        StoredCase{"KeyRepeatIntervalNegative", 16, -5, 1},
        StoredCase{"ChoiceDecideSound", 17, 4, 4}, StoredCase{"ChoiceCursorSound", 18, 5, 5},
        StoredCase{"ChoiceCancelSound", 19, 6, 6}, StoredCase{"TextDrawSwitch", 21, 1, 1},
        StoredCase{"ChoiceCursorBlendHigh", 22, 7, 3},
        StoredCase{"ChoiceCursorBlendLow", 22, -2, 0}, StoredCase{"SaveDataFlagReadOnly", 24, 5, 0},
        StoredCase{"LastSaveSlot", 25, 3, 3}, StoredCase{"FrameCounter", 28, 11, 11},
        StoredCase{"PlaySeconds", 29, 12, 12}, StoredCase{"PlayMilliseconds", 30, 13, 13},
        StoredCase{"MeasuredFpsReadOnly", 31, 9, 0},
        StoredCase{"DebugSecondCountReadOnly", 32, 9, 0},
        StoredCase{"FrameSkipClamped", 33, 300, 2}, StoredCase{"DefaultShadow", 36, -1, -1},
        StoredCase{"PartySpacing", 37, 4, 4}, StoredCase{"TextInputStateReadOnly", 39, 1, 0},
        StoredCase{"KeyInputTextX", 40, 8, 8}, StoredCase{"KeyInputTextY", 41, 9, 9},
        StoredCase{"KeyInputConfirmOption", 59, 1, 1}, StoredCase{"KeyInputCancelOption", 60, 1, 1},
        StoredCase{"FogImage", 61, 2, 2}, StoredCase{"FogScrollX", 62, 3, 3},
        StoredCase{"FogScrollY", 63, 4, 4}, StoredCase{"FogBlend", 64, 1, 1},
        StoredCase{"FogOpacity", 65, 100, 100}, StoredCase{"PanoramaImage", 66, 5, 5},
        StoredCase{"PanoramaScrollX", 67, 6, 6}, StoredCase{"PanoramaScrollY", 68, 7, 7},
        StoredCase{"MouseWindowControl", 73, 1, 1}, StoredCase{"MouseCursorShown", 74, 5, 1},
        StoredCase{"MemberShadow1", 87, -2, -2}, StoredCase{"MemberShadow5", 91, 3, 3},
        StoredCase{"MusicMasterVolume", 100, -20, 0}, StoredCase{"BgsMasterVolume", 101, 50, 50},
        StoredCase{"SeMasterVolume", 102, -4, -4}, StoredCase{"KeyConfigKeyboard", 52, 130, 130},
        StoredCase{"KeyConfigPad", 55, 302, 302}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SystemVariables, DefaultPositionsFollowTheTileSize) {
    FreshGameState();
    TileSize = 16;
    ZoomFactor = 2;
    for (int index : {1, 2, 3, 4})
        TheVariableStore.StoreValueById(kSystemVariable + index, -1);
    EXPECT_EQ(TheMainInterpreter.MessageWindowX, 16);
    EXPECT_EQ(TheMainInterpreter.MessageWindowY, 152 * 2);
    EXPECT_EQ(TheMainInterpreter.ChoiceWindowX, 160);
    EXPECT_EQ(TheMainInterpreter.ChoiceWindowY, 85);
    FreshGameState();
}

TEST(SystemVariables, IndicesWithoutAMeaningReadMinusOne) {
    FreshGameState();
    const MainInterpreter before = TheMainInterpreter;
    for (int index : {26, 27, 34, 38, 42, 49, 50, 51, 58,  69,  70,
                      75, 76, 83, 86, 92, 93, 94, 99, 103, 106, 99999}) {
        TheVariableStore.StoreValueById(kSystemVariable + index, 5);
        EXPECT_EQ(TheVariableStore.ReadValueById(kSystemVariable + index), -1) << index;
    }
    EXPECT_EQ(TheMainInterpreter.SystemValue0, before.SystemValue0);
}

TEST(SystemVariables, LiveValues) {
    FreshGameState();
    TheScreenState.messageWindowValue = 1;
    TheScreenState.lastChoiceResult = 3;
    TheMapState.mapNumber = 8;
    TheInternetState.counters = {1, 2, 3, 4, 5};
    const auto read = [](int index) {
        return TheVariableStore.ReadValueById(kSystemVariable + index);
    };
    EXPECT_EQ(read(12), 1);
    EXPECT_EQ(read(13), 0);
    EXPECT_EQ(read(20), 3);
    EXPECT_EQ(read(23), 8);
    TheScreenState.TransferPending = 1;
    TheScreenState.transferMap = 11;
    EXPECT_EQ(read(23), 11);
    EXPECT_EQ(read(35), 0);
    TheParty.pixelX = 5;
    EXPECT_EQ(read(35), 1);
    EXPECT_EQ(read(43), 1);
    EXPECT_EQ(read(47), 5);
    EXPECT_EQ(read(48), -1);
    EXPECT_EQ(read(84), 1);
    EXPECT_GE(read(77), 2024);
    EXPECT_GE(read(78), 1);
    EXPECT_LE(read(78), 12);
}

TEST(SystemVariables, ScrollIsClampedToTheMap) {
    FreshGameState();
    TheMapState.mapData.header.width = 25;
    TheMapState.mapData.header.height = 20;
    TheVariableStore.StoreValueById(kSystemVariable + 104, 100);
    EXPECT_EQ(TheMapState.scrollX, 400);
    TheVariableStore.StoreValueById(kSystemVariable + 104, 500);
    EXPECT_EQ(TheMapState.scrollX, 640);
    EXPECT_EQ(TheVariableStore.ReadValueById(kSystemVariable + 104), 160);
    TheVariableStore.StoreValueById(kSystemVariable + 105, 1000);
    EXPECT_EQ(TheMapState.scrollY, (5 * 32 + 1) * 4);
    TheMapState.loopsHorizontally = 1;
    TheVariableStore.StoreValueById(kSystemVariable + 104, -1000);
    EXPECT_EQ(TheMapState.scrollX, (1 - 320) * 4);
}

TEST(SystemVariables, AStoreOfAnotherInterpreterKeepsItsOwnValues) {
    FreshGameState();
    MainInterpreter slot;
    VariableStore store(VariableStore::Contents::kEmpty);
    store.link = &slot;
    store.StoreValueById(kSystemVariable + 9, 77);
    store.StoreValueById(kSystemVariable + 104, 100);  // only the running game scrolls
    EXPECT_EQ(slot.MessageSpeed, 77);
    EXPECT_EQ(TheMainInterpreter.MessageSpeed, 120);
    EXPECT_EQ(TheMapState.scrollX, 0);

    store.link = nullptr;
    EXPECT_EQ(store.ReadValueById(kSystemVariable + 9), 0);
    store.StoreValueById(kSystemVariable + 9, 5);
}

struct StringCase {
    const char* name;
    int index;
    std::string written;
    std::string read;
};

class SystemStrings : public ::testing::TestWithParam<StringCase> {};

TEST_P(SystemStrings, ReadBackWhatTheGameKeeps) {
    FreshGameState();
    TheParty.members.resize(2);
    TheScreenState.lastMessageText = "last";
    TheScreenState.systemStrings[9] = "ninth";
    TheMainInterpreter.CurrentMusicName = "song.mid";
    const StringCase& c = GetParam();
    TheVariableStore.StoreStringById(kSystemString + c.index, c.written);
    EXPECT_EQ(TheVariableStore.ReadStringById(kSystemString + c.index), c.read);
}

INSTANTIATE_TEST_SUITE_P(Texts, SystemStrings,
                         ::testing::Values(StringCase{"HeroGraphic", 10, "hero.png", "hero.png"},
                                           StringCase{"SecondMemberGraphic", 12, "two.png",
                                                      "two.png"},
                                           StringCase{"MemberBeyondTheParty", 13, "three.png", ""},
                                           StringCase{"Proxy", 20, "proxy", "proxy"},
                                           StringCase{"ProxyPort", 21, "8080", "8080"},
                                           StringCase{"LastMessageReadOnly", 25, "x", "last"},
                                           StringCase{"MessagePrefix", 26, "<", "<"},
                                           StringCase{"MessageSuffix", 27, ">", ">"},
                                           StringCase{"PanoramaFile", 30, "pan.png", "pan.png"},
                                           StringCase{"FogFile", 31, "fog.png", "fog.png"},
                                           StringCase{"MusicNameReadOnly", 33, "x", "song.mid"},
                                           StringCase{"BgsNameReadOnly", 34, "x", ""},
                                           StringCase{"LastChoiceItem", 49, "x", "ninth"},
                                           StringCase{"Unassigned", 7, "x", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SystemStrings, PanoramaAndFogTextsAskForARebuild) {
    FreshGameState();
    TheVariableStore.StoreStringById(kSystemString + 30, "p");
    TheVariableStore.StoreStringById(kSystemString + 31, "f");
    EXPECT_EQ(TheScreenState.panoramaChanged, 1);
    EXPECT_EQ(TheScreenState.fogChanged, 1);
    Proxy.clear();
    ProxyPort.clear();
}

TEST(SystemStrings, KeyNames) {
    FreshGameState();
    EXPECT_EQ(TheVariableStore.ReadStringById(kSystemString + 1), "Z");
    EXPECT_EQ(TheVariableStore.ReadStringById(kSystemString + 2), "X");
    EXPECT_EQ(TheVariableStore.ReadStringById(kSystemString + 4), test::Sjis(u8"ボタン1"));
}

}  // namespace
}  // namespace game
