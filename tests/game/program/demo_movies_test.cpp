// The demo's movies over its map on the software route: each clip opens as a graph of its
// picture, as the layer opens an image file that turns out to be a movie, and drawn over the
// map it shows its first frame.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "layer/core/layer_api.h"
#include "layer/graphics/graph_record.h"
#include "layer/graphics/graphics_services.h"
#include "layer/media/movie_handles.h"
#include "platform/game_path.h"
#include "tests/game/program/demo_run_fixture.h"
#include "tests/support/golden.h"
#include "tools/lib/demo_movie.h"

namespace game {
namespace {

constexpr int kLeft = 16;
constexpr int kTop = 16;
constexpr int kStep = 80;

TEST_F(DemoRun, EachOfTheDemosMoviesShowsItsFirstFrameOverTheMap) {
    StartOnTheMap();
    for (std::size_t i = 0; i < tools::kDemoMovies.size(); ++i) {
        SCOPED_TRACE(tools::kDemoMovies[i]);
        const std::string path = GameFolder + "Data\\" + tools::kDemoMovies[i];
        const int graph = layer::OpenGraphFile(path.c_str(), 0, 0, 0);
        ASSERT_GE(graph, 0);
        int width = 0;
        int height = 0;
        ASSERT_EQ(layer::GetGraphExtent(graph, &width, &height), 0);
        EXPECT_EQ(width, 64);
        EXPECT_EQ(height, 48);
        // A movie that was never played has its first frame taken as a play would take it.
        layer::SyncMovieFrame(layer::GetGraphRecord(graph)->Movie, 1);
        EXPECT_EQ(layer::PaintGraph(kLeft + kStep * static_cast<int>(i), kTop, graph, 0), 0);
        layer::RemoveGraph(graph, 0);
    }
    const std::filesystem::path file = folder_.tree().path("frame.png");
    ASSERT_EQ(layer::StoreScreenAsPng(0, 0, 640, 480,
                                      platform::DiskPathToGamePath(file.string()).c_str(), 0),
              0);
    const std::optional<test::RgbaImage> frame = test::ReadPng(file);
    ASSERT_TRUE(frame.has_value());
    EXPECT_TRUE(test::MatchesGolden(
        test::CropPicture(*frame, {kLeft, kTop, kLeft + kStep * 3 + 64, kTop + 48}),
        "game/program/demo-movies"));
}

}  // namespace
}  // namespace game
