// The party, scroll, shake, visual-effect and internet commands on the 20 x 15 map.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "game/interpreter/internet_state.h"
#include "game/interpreter/main_interpreter.h"
#include "game/interpreter/party_and_view_commands.h"
#include "game/map/party.h"
#include "game/presentation/picture_list.h"
#include "tests/game/interpreter/map_command_fixture.h"
#include "tests/support/sjis.h"

namespace game {
namespace {

using Names = std::array<std::string, 6>;

constexpr std::int32_t kNameFromVariable = 0x100;
constexpr std::int32_t kWait = 0x100;
constexpr std::int32_t kPixels = 0x200;

// A party-wide option with a per-character kind that does nothing.
constexpr std::int32_t PartyWide(int option) {
    return option << 4 | 5;
}

class PartyCommands : public MapCommandTest {
  protected:
    static void SetNames(const Names& names) {
        TheParty.graphicName = names[0];
        for (std::size_t m = 0; m < TheParty.members.size(); ++m)
            TheParty.members[m].graphicName = names[m + 1];
    }
    static Names GetNames() {
        Names names{TheParty.graphicName};
        for (std::size_t m = 0; m < TheParty.members.size() && m < 5; ++m)
            names[m + 1] = TheParty.members[m].graphicName;
        return names;
    }
};

TEST_F(PartyCommands, NameKinds) {
    struct Case {
        const char* name;
        Names before;
        std::int32_t options, m;
        std::string text;
        Names after;
    } const cases[] = {
        {"CloseGaps",
         {"red", "", "blue", "", "green", "gold"},
         4,
         0,
         "",
         {"red", "blue", "green", "gold", "", ""}},
        {"CloseGapsAtTheEnd",
         {"red", "", "blue", "", "", ""},
         4,
         0,
         "",
         {"red", "blue", "", "", "", ""}},
        {"Insert",
         {"red", "blue", "green", "gold", "gray", "pink"},
         1,
         2,
         "teal",
         {"red", "teal", "blue", "green", "gold", "gray"}},
        {"RemoveEveryMatch",
         {"red", "blue", "green", "blue", "", ""},
         3,
         0,
         "blue",
         {"red", "", "green", "", "", ""}},
        {"Clear", {"red", "blue", "", "", "", ""}, 0, 1, "", {"", "blue", "", "", "", ""}},
        {"Set", {"red", "", "", "", "", ""}, 2, 6, "teal", {"red", "", "", "", "", "teal"}},
        {"CloseGapsWithAPartyOptionClosesNothing",
         {"", "red", "", "", "", ""},
         4 | 0x60,
         0,
         "",
         {"", "red", "", "", "", ""}},
        {"UnknownKind", {"red", "", "", "", "", ""}, 5, 9, "", {"red", "", "", "", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetNames(c.before);
        RunLine(270, {c.options, c.m}, {c.text});
        EXPECT_EQ(GetNames(), c.after);
    }
    EXPECT_TRUE(reports.errors().empty());
}

TEST_F(PartyCommands, ACharacterOutsideOneToSixIsReportedAndOnlyTheShadowsChange) {
    TheMainInterpreter.DefaultShadow = 3;
    const Names names{"red", "blue", "", "", "", ""};
    for (std::int32_t m : {7, 0}) {
        SetNames(names);
        TheParty.members[0].appliedShadow = 5;
        RunLine(270, {2, m}, {"teal"});
        EXPECT_EQ(GetNames(), names);
        EXPECT_EQ(TheParty.members[0].pageBytes[0], 3);
        EXPECT_EQ(TheParty.members[0].appliedShadow, -1);
        EXPECT_EQ(TheParty.members[4].pageBytes[0], 3);
    }
    ASSERT_EQ(reports.errors().size(), 2U);
    EXPECT_EQ(reports.errors()[0].line1,
              test::Sjis(u8"キャラ操作エラー：「7」人目以上の値が指定されました"));
    EXPECT_EQ(reports.errors()[0].line2,
              test::Sjis(u8"この指定は「6」人目以下でなければなりません"));
    EXPECT_EQ(reports.errors()[1].line1,
              test::Sjis(u8"キャラ操作エラー：「0」人目以下の値が指定されました"));
    EXPECT_EQ(reports.errors()[1].line2,
              test::Sjis(u8"この指定は「1」人目以上でなければなりません"));
    EXPECT_EQ(TheParty.pageBytes[0], 0);
}

// A string variable names the text; an ID naming no text is a variable holding the ID.
TEST_F(PartyCommands, TheNameFromAVariable) {
    S(2) = "teal";
    V(5) = StrId(2);
    RunLine(270, {2 | kNameFromVariable, 1, StrId(2)});
    EXPECT_EQ(TheParty.graphicName, "teal");
    S(2) = "gold";
    RunLine(270, {2 | kNameFromVariable, 2, VarId(5)});
    EXPECT_EQ(TheParty.members[0].graphicName, "gold");
}

TEST_F(PartyCommands, StoredGraphicsComeBack) {
    const Names names{"red", "blue", "green", "gold", "gray", "pink"};
    SetNames(names);
    RunLine(270, {PartyWide(0x7)});
    RunLine(270, {PartyWide(0x1)});
    EXPECT_EQ(GetNames(), Names{});
    RunLine(270, {PartyWide(0x8)});
    EXPECT_EQ(GetNames(), names);
    TheMainInterpreter.StoredGraphics.clear();
    RunLine(270, {PartyWide(0x8)});
    EXPECT_EQ(GetNames(), Names{});
}

TEST_F(PartyCommands, PartyWideSwitches) {
    RunLine(270, {PartyWide(0x3)});
    EXPECT_EQ(TheParty.partyStepHold, 1);
    TheParty.partyHeldStep = 6;
    RunLine(270, {PartyWide(0x4)});
    EXPECT_EQ(TheParty.partyStepHold, 0);
    EXPECT_EQ(TheParty.partyHeldStep, 0);
    RunLine(270, {PartyWide(0x5)});
    EXPECT_EQ(TheParty.opacity, 0);
    EXPECT_EQ(TheParty.members[4].opacity, 0);
    RunLine(270, {PartyWide(0x6)});
    EXPECT_EQ(TheParty.members[2].opacity, 255);
    RunLine(270, {PartyWide(0xA)});
    EXPECT_EQ(TheMainInterpreter.PartyFollows, 0);
    RunLine(270, {PartyWide(0x9)});
    EXPECT_EQ(TheMainInterpreter.PartyFollows, 1);
    PlaceCharacter(TheParty, 6, 4, 1);
    RunLine(270, {PartyWide(0x2)});
    EXPECT_EQ(TheParty.members[3].x, 6);
    EXPECT_EQ(TheParty.members[3].y, 4);
}

// A party saved with fewer members: the missing ones read empty and take nothing.
TEST_F(PartyCommands, MissingMembersReadEmpty) {
    TheParty.members.resize(2);
    SetNames({"red", "blue", "green", "", "", ""});
    RunLine(270, {1, 1}, {"teal"});
    EXPECT_EQ(GetNames(), (Names{"teal", "red", "blue", "", "", ""}));
    RunLine(270, {2, 6}, {"gold"});
    RunLine(270, {PartyWide(0x7)});
    EXPECT_EQ(TheMainInterpreter.StoredGraphics,
              (std::vector<std::string>{"teal", "red", "blue", "", "", ""}));
}

using ViewCommands = MapCommandTest;

TEST_F(ViewCommands, ScrollByOffsets) {
    struct Case {
        std::int32_t options, x, y;
        int leftX, leftY, directionX;
    } const cases[] = {
        {0, 3, 0, 384, 0, 6},
        {kPixels, 3, -5, 12, 20, 6},
        {0, -2, 1, 256, 128, 4},
    };
    for (const Case& c : cases) {
        RunLine(281, {c.options, c.x, c.y});
        EXPECT_EQ(TheMapState.scrollLeftX, c.leftX) << c.x;
        EXPECT_EQ(TheMapState.scrollLeftY, c.leftY) << c.y;
        EXPECT_EQ(TheMapState.scrollDirectionX, c.directionX) << c.x;
    }
}

TEST_F(ViewCommands, ScrollBackToTheHero) {
    struct Case {
        const char* name;
        int width;
        bool loops;
        int heroX, scrollX, leftX, directionX;
    } const cases[] = {
        {"ClampedAtTheLeftEdge", 40, false, 4, 1000, 1000, 4},
        {"Centred", 40, false, 50, 0, 2 * 32 * 50 - 38 * 32, 6},
        {"ClampedAtTheRightEdge", 40, false, 79, 0, 20 * 128, 6},
        {"LoopingMapsAreNotClamped", 40, true, 4, 0, 38 * 32 - 2 * 32 * 4, 4},
        {"NarrowMapsScrollToZero", 10, false, 10, 64, 64, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TheMapState = MakeLoadedMap(c.width, 15, 0);
        TheMapState.loopsHorizontally = c.loops ? 1 : 0;
        TheMapState.scrollX = c.scrollX;
        TheParty.x = c.heroX;
        TheParty.y = 14;
        RunLine(281, {1 | kWait});
        EXPECT_EQ(TheMapState.scrollLeftX, c.leftX);
        EXPECT_EQ(TheMapState.scrollDirectionX, c.directionX);
        EXPECT_EQ(TheScreenState.scrollWait, 1);
    }
    // The run loop holds the next command while the wait runs: the handler itself clears it.
    tools::CommandListBuilder list;
    CommonEvents.events[0].commands = list.Add(281, {1}).Build();
    EventInterpreter interpreter;
    interpreter.StartInterpreter(CommandListRef::Common(0), -1, 0);
    ScrollView(interpreter);
    EXPECT_EQ(TheScreenState.scrollWait, 0);
}

TEST_F(ViewCommands, ScrollLockAndUnknownModes) {
    RunLine(281, {2});
    EXPECT_EQ(TheMainInterpreter.ScrollLocked, 1);
    RunLine(281, {4 | kWait, 3, 3});
    EXPECT_EQ(TheMainInterpreter.ScrollLocked, 1);
    EXPECT_EQ(TheMapState.scrollLeftX, 0);
    EXPECT_EQ(TheScreenState.scrollWait, 0);
    RunLine(281, {3});
    EXPECT_EQ(TheMainInterpreter.ScrollLocked, 0);
}

TEST_F(ViewCommands, Shakes) {
    RunLine(280, {0x0021, 9});
    EXPECT_EQ(TheMapState.verticalShakeAmplitude, 2);
    EXPECT_EQ(TheMapState.verticalShakeSpeed, 4);
    EXPECT_EQ(TheMapState.verticalShakeCount, 10);
    RunLine(280, {0x0112, 4});
    EXPECT_EQ(TheMapState.horizontalShakeAmplitude, 4);
    EXPECT_EQ(TheMapState.horizontalShakeCount, 5);
    RunLine(280, {0x0300, 4});
    EXPECT_EQ(TheMapState.verticalShakeCount, 10);
    EXPECT_EQ(TheMapState.horizontalShakeCount, 5);
    RunLine(280, {0x0200});
    EXPECT_EQ(TheMapState.verticalShakeCount, 0);
    EXPECT_EQ(TheMapState.horizontalShakeCount, 0);
}

TEST_F(ViewCommands, CharacterFlashShakeAndViewZoom) {
    RunLine(290, {0x01, 30, -2, 0, 250, -300, 0});
    EXPECT_EQ(TheParty.flashColour, 200 * 65536 + 0 * 256 + 100);
    EXPECT_EQ(TheParty.flashLength, 30);
    RunLine(290, {0x11, 6, -2, 0, 3, 4, 5});
    EXPECT_EQ(TheParty.shakeAmplitudeX, 3);
    EXPECT_EQ(TheParty.shakeAmplitudeY, 4);
    EXPECT_EQ(TheParty.shakeSwings, 5);
    EXPECT_EQ(TheParty.shakeHalfPeriod, 6);
    RunLine(290, {0x21, 6, -2, 0, 7, 7, 7});
    RunLine(290, {0x01, 6, 99, 0, 7, 7, 7});
    EXPECT_EQ(TheParty.shakeSwings, 5);
    EXPECT_EQ(TheParty.flashLength, 30);
    RunLine(290, {0x02, 40, 0, 0, 320, 240, 200});
    EXPECT_EQ(TheMapState.zoomTargetPercent, 200);
    EXPECT_EQ(TheMapState.zoomTargetCentreX, 320);
    EXPECT_EQ(TheMapState.zoomTargetCentreY, 240);
    EXPECT_EQ(TheMapState.zoomDuration, 40);
    RunLine(290, {0x12, 40, 0, 0, 1, 1, 50});
    RunLine(290, {0x03, 40, 0, 0, 1, 1, 50});
    EXPECT_EQ(TheMapState.zoomTargetPercent, 200);
}

// Random-number IDs draw at each read: the values land where the read order puts them.
using ReadOrder = MapCommandTest;

TEST_F(ReadOrder, VisualEffects) {
    auto d = Draws(5);
    RunLine(290, {0x02, kRandom100, 0, 0, kRandom100, kRandom100, kRandom100});
    EXPECT_EQ(TheMapState.zoomDuration, d[0]);
    EXPECT_EQ(TheMapState.zoomTargetPercent, d[1]);
    EXPECT_EQ(TheMapState.zoomTargetCentreY, d[2]);
    EXPECT_EQ(TheMapState.zoomTargetCentreX, d[3]);

    d = Draws(5);
    RunLine(290, {0x11, kRandom100, -2, 0, kRandom100, kRandom100, kRandom100});
    EXPECT_EQ(TheParty.shakeHalfPeriod, std::max(d[0], 1));
    EXPECT_EQ(TheParty.shakeSwings, d[1]);
    EXPECT_EQ(TheParty.shakeAmplitudeY, d[2]);
    EXPECT_EQ(TheParty.shakeAmplitudeX, d[3]);

    d = Draws(5);
    RunLine(290, {0x01, kRandom100, -2, 0, kRandom100, kRandom100, kRandom100});
    EXPECT_EQ(TheParty.flashColour, (d[0] + 100) * 65536 + (d[1] + 100) * 256 + d[2] + 100);
    EXPECT_EQ(TheParty.flashLength, d[3]);

    ThePictureList.Pictures.push_back(Picture(0));
    ThePictureList.RebuildPictureHints();
    d = Draws(4);
    RunLine(290, {0x30, kRandom100, 0, 100, kRandom100, kRandom100, kRandom100});
    const Picture& picture = ThePictureList.Pictures[0];
    EXPECT_EQ(picture.ShakeHalfPeriod, d[0]);
    EXPECT_EQ(picture.ShakeCount, d[1]);
    EXPECT_EQ(picture.ShakeY, d[2]);
    EXPECT_EQ(picture.ShakeX, d[3]);
}

TEST_F(ReadOrder, ScrollOffsetsReadYFirst) {
    const auto d = Draws(2);
    ASSERT_NE(d[0], d[1]);
    RunLine(281, {0, kRandom100, kRandom100});
    EXPECT_EQ(TheMapState.scrollLeftY, d[0] * 128);
    EXPECT_EQ(TheMapState.scrollLeftX, d[1] * 128);
}

TEST_F(ViewCommands, TheInternetCommandLeavesItsStatusZero) {
    ASSERT_EQ(TheVariableStore.ReadValueById(9000048), -1);
    RunLine(260, {1, 0}, {"http://example.invalid/\\v[1]", "a=\\s[2]"});
    EXPECT_EQ(TheVariableStore.ReadValueById(9000048), 0);
}

}  // namespace
}  // namespace game
