#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "game/core/save_buffer.h"
#include "game/map/move_route.h"
#include "tests/game/map/character_fixture.h"

namespace game {
namespace {

using PartyControl = CharacterTest;

// Holds a direction key for one step and lets everyone arrive.
void Walk(Party& party, int direction) {
    TheInputState.direction8 = direction;
    UpdateHero(party);
    TheInputState.direction8 = 0;
    for (int i = 0; i < 8; ++i)
        UpdateHero(party);
}

std::vector<int> MemberXs(const Party& party) {
    std::vector<int> xs;
    for (const MapCharacter& member : party.members)
        xs.push_back(member.x * 100 + member.y);
    return xs;
}

TEST_F(PartyControl, MembersReplayTheHistoryWithTheFollowDistance) {
    struct Case {
        int distance;
        std::vector<int> afterRightDownDown;
    } const cases[] = {{1, {1111, 1110, 1010, 1010, 1010}}, {2, {1110, 1010, 1010, 1010, 1010}}};
    for (const Case& c : cases) {
        Load(20, 15);
        TheMainInterpreter.PartySpacing = static_cast<std::int16_t>(c.distance);
        PlaceCharacter(TheParty, 10, 10, 1);
        GatherParty(TheParty);
        Walk(TheParty, 6);
        Walk(TheParty, 2);
        Walk(TheParty, 2);
        EXPECT_EQ(TheParty.x * 100 + TheParty.y, 1112);
        EXPECT_EQ(MemberXs(TheParty), c.afterRightDownDown) << c.distance;
        EXPECT_EQ(TheParty.moveHistory.size(), 100u);
    }
}

TEST_F(PartyControl, FollowLastDirectionMovesEveryoneTogether) {
    PlaceCharacter(TheParty, 10, 10, 1);
    GatherParty(TheParty);
    TheParty.partyStepHold = 1;
    Walk(TheParty, 6);
    EXPECT_EQ(MemberXs(TheParty), (std::vector<int>(5, 1110)));
}

TEST_F(PartyControl, EventsHoldTheKeysButNotAForcedRoute) {
    PlaceCharacter(TheParty, 10, 10, 1);
    TheMainInterpreter.ownCommands.resize(2);
    TheMainInterpreter.StartInterpreter(CommandListRef::Own(), 1, -1);
    Walk(TheParty, 6);
    EXPECT_EQ(TheParty.x, 10);
    MoveRoute route;
    route.steps.resize(1);
    route.steps[0].code = 2;
    StartForcedRoute(TheParty, route);
    EXPECT_EQ(TheParty.x, 11);
}

TEST_F(PartyControl, WalkingOffALoopingEdgeKeepsThePictureStill) {
    TheMapState.loopsHorizontally = 1;
    PlaceCharacter(TheParty, 39, 10, 1);
    CenterViewOn(39, 10);
    const int screenBefore = GetCharacterScreenX(TheParty, false);
    Walk(TheParty, 6);
    EXPECT_EQ(TheParty.x, 0);
    // The view followed the hero over the seam.
    EXPECT_EQ(GetCharacterScreenX(TheParty, false), screenBefore);
    EXPECT_EQ(TheParty.pixelX, 0);
}

TEST_F(PartyControl, FaceHeroPicksDiagonalsOnlyNearTheDiagonal) {
    struct Case {
        int heroX, heroY, direction;
    } const cases[] = {{3, 6, 4}, {4, 6, 1}, {10, 4, 2}, {10, 8, 2}, {12, 4, 6}};
    for (const Case& c : cases) {
        TheParty.x = c.heroX;
        TheParty.y = c.heroY;
        MapCharacter character;
        character.x = 10;
        character.y = 4;
        character.direction = 2;
        FaceHero(character);
        EXPECT_EQ(character.direction, c.direction) << c.heroX << "," << c.heroY;
    }
}

TEST_F(PartyControl, CenterViewOnKeepsTheViewOnTheMap) {
    CenterViewOn(30, 20);
    EXPECT_EQ(TheMapState.scrollX, 0);
    EXPECT_EQ(TheMapState.scrollY, 0);
    Load(50, 40);
    CenterViewOn(60, 40);
    EXPECT_EQ(TheMapState.scrollX, 64 * 60 - 38 * 32);
    EXPECT_EQ(TheMapState.scrollY, 64 * 40 - 28 * 32);
    CenterViewOn(99, 79);
    EXPECT_EQ(TheMapState.scrollX, 4 * 50 * 32 - 80 * 32);
}

TEST_F(PartyControl, SaveBlockRoundTripAndDamagedCounts) {
    PlaceCharacter(TheParty, 6, 6, 1);
    GatherParty(TheParty);
    TheParty.moveHistory[0] = 6;
    TheParty.partyStepHold = 1;
    SaveBuffer save;
    WriteParty(save, TheParty);
    SaveBuffer read(save.block());
    Party back;
    ASSERT_TRUE(ReadParty(read, back));
    EXPECT_EQ(back.members.size(), 5u);
    EXPECT_EQ(back.members[4].referenceId, -7);
    EXPECT_EQ(back.moveHistory.size(), 100u);
    EXPECT_EQ(back.moveHistory[0], 6);
    EXPECT_EQ(back.partyStepHold, 1);

    // The member count follows the hero's block: too many members, or more than fit.
    SaveBuffer hero;
    WriteMapCharacter(hero, TheParty);
    const std::size_t at = hero.block().size();
    for (std::int32_t count : {10, 1000000, -1}) {
        std::vector<std::uint8_t> bad = save.block();
        for (int i = 0; i < 4; ++i)
            bad[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(count >> (8 * i));
        SaveBuffer damaged(bad);
        Party party;
        EXPECT_FALSE(ReadParty(damaged, party)) << count;
        EXPECT_TRUE(damaged.readPastEnd()) << count;
    }
}

// QVARN_WRITE_FUZZ_SEEDS=1 writes the seeds of the character and party fuzz targets into the
// source tree.
TEST_F(PartyControl, WritesFuzzSeedsWhenAsked) {
    const char* asked = std::getenv("QVARN_WRITE_FUZZ_SEEDS");
    if (asked == nullptr || std::string(asked) != "1")
        GTEST_SKIP() << "seeds are written only when asked";
    PlaceCharacter(TheParty, 3, 4, 0);
    TheParty.graphicName = "hero.png";
    TheParty.runningRoute.steps.resize(2);
    TheParty.runningRoute.steps[0].args = {1100003, 5};
    TheParty.spareList = {1};
    GatherParty(TheParty);
    const std::filesystem::path seeds =
        std::filesystem::path(QVARN_SOURCE_DIR) / "tests/fuzz/seeds";
    auto write = [&](const std::string& target, const std::vector<std::uint8_t>& bytes) {
        std::filesystem::create_directories(seeds / target);
        std::ofstream(seeds / target / "writer", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    };
    SaveBuffer character;
    WriteMapCharacter(character, TheParty);
    write("map_character", character.block());
    SaveBuffer party;
    WriteParty(party, TheParty);
    write("party", party.block());
}

}  // namespace
}  // namespace game
