// The demo started, shut down and started again in one process draws its map as the first
// start did: nothing of the first layer's graphs survives in the game's state.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "game/map/map_change.h"
#include "game/map/map_state.h"
#include "game/map/map_view.h"
#include "layer/core/layer_api.h"
#include "layer/graphics/direct_draw_context.h"
#include "tests/game/program/demo_run_fixture.h"

namespace game {
namespace {

using SecondStart = DemoRun;

// The start map drawn on the back screen straight after start-up, without the reset pass that
// would empty the image cache first; the screen's bytes row by row.
std::vector<std::uint8_t> DrawStartMap() {
    EXPECT_TRUE(ChangeMap(TheMapState, 0));
    MapView view;
    layer::ChangeDrawTarget(-2);
    DrawMap(view);
    const layer::MEMIMG& back = layer::direct_draw.back_image;
    std::vector<std::uint8_t> bytes;
    for (int y = 0; y < back.Height; ++y) {
        const std::uint8_t* row = back.Pixels + y * back.Body->Pitch;
        bytes.insert(bytes.end(), row, row + back.Width * 4);
    }
    return bytes;
}

TEST_F(SecondStart, DrawsTheMapAsTheFirstStartDid) {
    const std::vector<std::uint8_t> first = DrawStartMap();
    ASSERT_EQ(first.size(), 640u * 480u * 4u);
    // Grass, path, wall and water at least: the map was drawn.
    std::set<std::uint32_t> colours;
    for (std::size_t i = 0; i < first.size(); i += 4)
        colours.insert(
            static_cast<std::uint32_t>(first[i] | first[i + 1] << 8 | first[i + 2] << 16));
    ASSERT_GE(colours.size(), 4u);
    Shutdown();
    BuildGameGlobals();
    ASSERT_EQ(StartGame(""), kStartedGame);
    scene_ = std::make_unique<MapScene>();
    const std::vector<std::uint8_t> second = DrawStartMap();
    EXPECT_TRUE(first == second);
}

}  // namespace
}  // namespace game
