// The demo game as the player starts it: its window pictures, text colours and icons are
// found, the start map's automatic event names the party's sheets and switches itself off, and its
// movie clip opens as a graph.
#include <gtest/gtest.h>

#include "game/core/database.h"
#include "game/core/variable_store.h"
#include "game/map/map_state.h"
#include "game/map/party.h"
#include "game/presentation/text_resources.h"
#include "layer/core/layer_api.h"
#include "tests/game/program/demo_run_fixture.h"
#include "tools/lib/demo_characters.h"
#include "tools/lib/demo_events.h"
#include "tools/lib/demo_movie.h"

namespace game {
namespace {

constexpr int kWindowGraphicsType = 10;
constexpr int kColourType = 12;
constexpr std::size_t kAutomaticEvent = 6;

TEST_F(DemoRun, TheWindowsFindTheirPicturesColoursAndIcons) {
    Start(2);
    EXPECT_EQ(SysDataBase.GetDBDataCount(kWindowGraphicsType), 3);
    EXPECT_EQ(SysDataBase.GetDBDataCount(kColourType), 14);
    EXPECT_EQ(scene_->messageWindow.CursorLoaded, 1);
    EXPECT_EQ(scene_->messageWindow.CursorCells, 2);
    EXPECT_TRUE(scene_->choiceWindow.SkinLoaded);
    EXPECT_TRUE(scene_->choiceWindow.CursorLoaded);
    EXPECT_EQ(scene_->choiceWindow.SkinCells.size(), 10u);
    // The program entry loads the icons once the scene is made; the fixture leaves that out.
    LoadIcons(TheTextResources);
    const TextResources& resources = TheTextResources;
    ASSERT_GE(resources.IconHandles.size(), 4u);
    for (int number = 1; number <= 3; ++number) {
        EXPECT_GT(resources.IconHandles[number], 0) << number;
        EXPECT_EQ(resources.IconWidths[number], 24) << number;
    }
}

TEST_F(DemoRun, TheAutomaticEventNamesThePartySheetsAndSwitchesItselfOff) {
    Start(60);
    EXPECT_EQ(TheVariableStore.ReadValueById(tools::kDemoAutomaticVariable), 1);
    EXPECT_EQ(TheVariableStore.ReadStringById(9900011), tools::kDemoPartySheet);
    EXPECT_EQ(TheVariableStore.ReadStringById(9900012), tools::kDemoSecondPartySheet);
    EXPECT_EQ(TheVariableStore.ReadStringById(9900013), "");
    ASSERT_GT(TheMapState.eventCharacters.size(), kAutomaticEvent);
    EXPECT_EQ(TheMapState.eventCharacters[kAutomaticEvent].activePage, 1);
}

// Nothing in the demo starts its movie; opened as an image it becomes a graph of its picture.
TEST_F(DemoRun, TheMovieOpensAsAGraphOfItsPicture) {
    Start(2);
    const std::string path = GameFolder + "Data\\" + tools::kDemoMovie;
    const int graph = layer::LoadGraphFileFlagged(path.c_str());
    ASSERT_GE(graph, 0);
    int width = 0;
    int height = 0;
    ASSERT_EQ(layer::GetGraphExtent(graph, &width, &height), 0);
    EXPECT_EQ(width, 64);
    EXPECT_EQ(height, 48);
    layer::RemoveGraph(graph, 0);
}

}  // namespace
}  // namespace game
